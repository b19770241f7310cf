// The C export of the table bill: the host's items packet goes into the data module's
// cdsParcProdutos, which keeps it after the call, and the host's coupon-number buffer goes to the
// register's entry points as it is.

#include <cstring>
#include <utility>

#include "bill/table_bill.hpp"
#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "platform/errors/errors.hpp"
#include "services/text_out_buffer.hpp"
#include "tov00000/tov00000.h"

namespace {

// The host's stCupomDia: a NUL-terminated text within its capacity, handed on untouched. A NULL
// buffer counts as empty: the back-end then writes into a scratch buffer nobody reads.
tov::services::HostText coupon_number_argument(char* stCupomDia, size_t capacity,
                                               tov::services::TextOutBuffer& scratch) {
    if (stCupomDia == nullptr) {
        if (capacity != 0) {
            throw tov::ArgumentError("stCupomDia is NULL but its capacity is " +
                                     std::to_string(capacity));
        }
        return {scratch.data(), scratch.capacity()};
    }
    if (std::memchr(stCupomDia, '\0', capacity) == nullptr) {
        throw tov::ArgumentError("stCupomDia holds no NUL within its capacity of " +
                                 std::to_string(capacity));
    }
    return {stCupomDia, capacity};
}

}  // namespace

extern "C" {

TOV_API int32_t TOV_CALL Conferencia_Mesa_Tov00000(
    const char* stCdPortaImpFis, const char* stNrSerie, const char* stEsquemaCor,
    const char* stCdFilial, const char* stCdCaixa, const char* stIndice, int32_t IdTipoImp,
    char* stCupomDia, size_t stCupomDia_capacity, const char* stTipoVenda, const char* stNrComanda,
    const char* stNrvendarest, const char* stMesa, const char* stNmGarcom, const char* stEmissao,
    const void* DADOS, size_t DADOS_size, double doVrDesc, double doConsMin, double doCouver,
    double doVrTxSer, double doQtPessoas, double doTotal, double doAcre, double doVrDescManual,
    const char* IdLugarMesa, const char* IdTpImpParc, const char* stCdProdCouver,
    const char* stCdProdConsum, const char* stCdProdConsFem, int32_t boUtilizaImpFis,
    const char* stPosicao, const char* stIdIntHotel, const char* stIdImpTxServ,
    const char* stIdComisVenda, const char* stIdConDescTxServ, const char* stDsTextoTxServ,
    const char* stIdConsDescTxServ, const char* stIdUtilFid4All, const char* stIdUtilFidUds,
    int32_t* result) {
    return tov::package::guarded_call([&] {
        using tov::package::text_argument;
        auto& state = tov::package::package_state();
        auto& module = state.ensure_data_module();
        tov::services::TextOutBuffer scratch;
        tov::bill::TableBillRequest request{
            .stCdPortaImpFis = text_argument(stCdPortaImpFis),
            .stNrSerie = text_argument(stNrSerie),
            .stEsquemaCor = text_argument(stEsquemaCor),
            .stCdFilial = text_argument(stCdFilial),
            .stCdCaixa = text_argument(stCdCaixa),
            .stIndice = text_argument(stIndice),
            .IdTipoImp = IdTipoImp,
            .stCupomDia = coupon_number_argument(stCupomDia, stCupomDia_capacity, scratch),
            .stTipoVenda = text_argument(stTipoVenda),
            .stNrComanda = text_argument(stNrComanda),
            .stNrvendarest = text_argument(stNrvendarest),
            .stMesa = text_argument(stMesa),
            .stNmGarcom = text_argument(stNmGarcom),
            .stEmissao = text_argument(stEmissao),
            .DADOS = tov::package::packet_argument(DADOS, DADOS_size, "DADOS"),
            .doVrDesc = doVrDesc,
            .doConsMin = doConsMin,
            .doCouver = doCouver,
            .doVrTxSer = doVrTxSer,
            .doQtPessoas = doQtPessoas,
            .doTotal = doTotal,
            .doAcre = doAcre,
            .doVrDescManual = doVrDescManual,
            .IdLugarMesa = text_argument(IdLugarMesa),
            .IdTpImpParc = text_argument(IdTpImpParc),
            .stCdProdCouver = text_argument(stCdProdCouver),
            .stCdProdConsum = text_argument(stCdProdConsum),
            .stCdProdConsFem = text_argument(stCdProdConsFem),
            .boUtilizaImpFis = boUtilizaImpFis != 0,
            .stPosicao = text_argument(stPosicao),
            .stIdIntHotel = text_argument(stIdIntHotel),
            .stIdImpTxServ = text_argument(stIdImpTxServ),
            .stIdComisVenda = text_argument(stIdComisVenda),
            .stIdConDescTxServ = text_argument(stIdConDescTxServ),
            .stDsTextoTxServ = text_argument(stDsTextoTxServ),
            .stIdConsDescTxServ = text_argument(stIdConsDescTxServ),
            .stIdUtilFid4All = text_argument(stIdUtilFid4All),
            .stIdUtilFidUds = text_argument(stIdUtilFidUds),
        };
        tov::bill::BillStore store{module.cdsParcProdutos,  module.cdsCaixa,
                                   module.cdsSaldocons,     module.cdsMovCaixaMob,
                                   module.cdsParametrosPld, module.lookups()};
        const tov::bill::TableBillOutcome outcome =
            tov::bill::ConferenciaMesa(std::move(request), store, state.document_context());
        if (!outcome.result) tov::package::note_without_failing(outcome.reason);
        tov::package::store_flag(result, outcome.result);
    });
}

}  // extern "C"
