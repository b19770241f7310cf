// The C export of the payment-means report: the host's packet goes into the data module's
// cdsTipoReceHomolog, which keeps it after the call.

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "reports/payment_means.hpp"
#include "tov00000/tov00000.h"

extern "C" {

TOV_API int32_t TOV_CALL imprimeTipoRece_Tov00000(int32_t IdTipoImpFis, const char* stCdFilial,
                                                  const char* stCdCaixa, const char* stEsquemaCor,
                                                  const char* stNrSerie, const char* stMeiosPgto,
                                                  const void* oleTipoRece, size_t oleTipoRece_size,
                                                  const char* stDataIni, const char* stDataFin) {
    return tov::package::guarded_call([&] {
        using tov::package::text_argument;
        auto& state = tov::package::package_state();
        auto& module = state.ensure_data_module();
        const tov::reports::PaymentMeansRequest request{
            .IdTipoImpFis = IdTipoImpFis,
            .stCdFilial = text_argument(stCdFilial),
            .stCdCaixa = text_argument(stCdCaixa),
            .stEsquemaCor = text_argument(stEsquemaCor),
            .stNrSerie = text_argument(stNrSerie),
            .stMeiosPgto = text_argument(stMeiosPgto),
            .oleTipoRece =
                tov::package::packet_argument(oleTipoRece, oleTipoRece_size, "oleTipoRece"),
            .stDataIni = text_argument(stDataIni),
            .stDataFin = text_argument(stDataFin),
        };
        tov::reports::imprimeTipoRece(request, module.cdsTipoReceHomolog, state.document_context());
    });
}

}  // extern "C"
