#pragma once
// The sales-by-salesperson report: the host's totals per salesperson under a header naming the
// branch, the till and today's date, printed on the fiscal register as a management report in
// pieces, or on the plain printer in one call.

#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "services/document_context.hpp"

namespace tov::reports {

// The arguments of RelatorioVendedor_Tov00000, in their order.
struct SalesBySalespersonRequest {
    std::string stCdFilial;
    std::string stNmFilial;
    std::string stCdCaixa;
    std::string stNmCaixa;
    std::string stEsquemaCor;
    std::string stCdPortImpNF;
    std::string stIdTipoImpNF;
    std::string_view P_VENDASVENDEDOR;  // the data packet, binary or XML
    bool boUtilizaImpFis = false;
    int IdTipoImpFis = 0;
    double doVrTotGeral = 0;
};

// Prints the report; cdsVendasVendedor receives the packet and keeps it after the call. Returns
// true. Every failure (a packet that cannot be read, a missing field, an unregistered entry point)
// is thrown; on the plain printer nothing reaches the back-end before the whole text is composed.
bool RelatorioVendedor(const SalesBySalespersonRequest& request,
                       dataset::ClientDataSet& cdsVendasVendedor,
                       const services::DocumentContext& context);

}  // namespace tov::reports
