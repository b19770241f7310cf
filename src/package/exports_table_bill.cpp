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
            text_argument(stCdPortaImpFis),
            text_argument(stNrSerie),
            text_argument(stEsquemaCor),
            text_argument(stCdFilial),
            text_argument(stCdCaixa),
            text_argument(stIndice),
            IdTipoImp,
            coupon_number_argument(stCupomDia, stCupomDia_capacity, scratch),
            text_argument(stTipoVenda),
            text_argument(stNrComanda),
            text_argument(stNrvendarest),
            text_argument(stMesa),
            text_argument(stNmGarcom),
            text_argument(stEmissao),
            tov::package::packet_argument(DADOS, DADOS_size, "DADOS"),
            doVrDesc,
            doConsMin,
            doCouver,
            doVrTxSer,
            doQtPessoas,
            doTotal,
            doAcre,
            doVrDescManual,
            text_argument(IdLugarMesa),
            text_argument(IdTpImpParc),
            text_argument(stCdProdCouver),
            text_argument(stCdProdConsum),
            text_argument(stCdProdConsFem),
            boUtilizaImpFis != 0,
            text_argument(stPosicao),
            text_argument(stIdIntHotel),
            text_argument(stIdImpTxServ),
            text_argument(stIdComisVenda),
            text_argument(stIdConDescTxServ),
            text_argument(stDsTextoTxServ),
            text_argument(stIdConsDescTxServ),
            text_argument(stIdUtilFid4All),
            text_argument(stIdUtilFidUds),
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
