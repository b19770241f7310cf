// The C export of the exchange coupon: the host's packet goes into the data module's
// cdsProdCupTroca, which keeps it after the call.

#include "coupon/exchange_coupon.hpp"
#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "tov00000/tov00000.h"

extern "C" {

TOV_API int32_t TOV_CALL Cupom_Troca_Tov00000(int32_t IdTipoImpFis, const void* oleProdutos,
                                              size_t oleProdutos_size, const char* stEsquemaCor,
                                              const char* stCdFilial, const char* stCdCaixa,
                                              const char* stNmConsumidor, const char* stCpfCnpjCon,
                                              const char* stTipVen, double doNrDias,
                                              int32_t* result) {
    return tov::package::guarded_call([&] {
        using tov::package::text_argument;
        auto& state = tov::package::package_state();
        auto& module = state.ensure_data_module();
        const tov::coupon::ExchangeCouponRequest request{
            .IdTipoImpFis = IdTipoImpFis,
            .oleProdutos =
                tov::package::packet_argument(oleProdutos, oleProdutos_size, "oleProdutos"),
            .stEsquemaCor = text_argument(stEsquemaCor),
            .stCdFilial = text_argument(stCdFilial),
            .stCdCaixa = text_argument(stCdCaixa),
            .stNmConsumidor = text_argument(stNmConsumidor),
            .stCpfCnpjCon = text_argument(stCpfCnpjCon),
            .stTipVen = text_argument(stTipVen),
            .doNrDias = tov::package::amount_argument(doNrDias, "doNrDias"),
        };
        const bool printed =
            tov::coupon::CupomTroca(request, module.cdsProdCupTroca, state.document_context());
        tov::package::store_flag(result, printed);
    });
}

}  // extern "C"
