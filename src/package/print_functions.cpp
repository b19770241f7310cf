#include "package/print_functions.hpp"

namespace tov::package {
namespace {

reports::ReportContext report_context(const PackageState& state) {
    return reports::ReportContext{state.backend(), state.host(), state.settings()};
}

}  // namespace

bool print_sales_by_salesperson(PackageState& state,
                                const reports::SalesBySalespersonRequest& request) {
    TdtmGeral& module = state.ensure_data_module();
    return reports::RelatorioVendedor(request, module.cdsVendasVendedor, report_context(state));
}

}  // namespace tov::package
