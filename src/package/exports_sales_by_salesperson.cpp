// The C export of the sales-by-salesperson report: the host's packet goes into the data
// module's cdsVendasVendedor, which keeps it after the call.

#include "package/abi_arguments.hpp"
#include "package/abi_boundary.hpp"
#include "package/package_state.hpp"
#include "reports/sales_by_salesperson.hpp"
#include "tov00000/tov00000.h"

extern "C" {

TOV_API int32_t TOV_CALL RelatorioVendedor_Tov00000(
    const char* stCdFilial, const char* stNmFilial, const char* stCdCaixa, const char* stNmCaixa,
    const char* stEsquemaCor, const char* stCdPortImpNF, const char* stIdTipoImpNF,
    const void* P_VENDASVENDEDOR, size_t P_VENDASVENDEDOR_size, int32_t boUtilizaImpFis,
    int32_t IdTipoImpFis, double doVrTotGeral, int32_t* result) {
    return tov::package::guarded_call([&] {
        using tov::package::text_argument;
        auto& state = tov::package::package_state();
        auto& module = state.ensure_data_module();
        const tov::reports::SalesBySalespersonRequest request{
            .stCdFilial = text_argument(stCdFilial),
            .stNmFilial = text_argument(stNmFilial),
            .stCdCaixa = text_argument(stCdCaixa),
            .stNmCaixa = text_argument(stNmCaixa),
            .stEsquemaCor = text_argument(stEsquemaCor),
            .stCdPortImpNF = text_argument(stCdPortImpNF),
            .stIdTipoImpNF = text_argument(stIdTipoImpNF),
            .P_VENDASVENDEDOR = tov::package::packet_argument(
                P_VENDASVENDEDOR, P_VENDASVENDEDOR_size, "P_VENDASVENDEDOR"),
            .boUtilizaImpFis = boUtilizaImpFis != 0,
            .IdTipoImpFis = IdTipoImpFis,
            .doVrTotGeral = tov::package::amount_argument(doVrTotGeral, "doVrTotGeral"),
        };
        const bool printed = tov::reports::RelatorioVendedor(request, module.cdsVendasVendedor,
                                                             state.document_context());
        tov::package::store_flag(result, printed);
    });
}

}  // extern "C"
