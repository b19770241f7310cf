#include "package/print_payment_means.hpp"

namespace tov::package {

void print_payment_means(PackageState& state, const reports::PaymentMeansRequest& request) {
    TdtmGeral& module = state.ensure_data_module();
    const reports::ReportContext context{state.backend(), state.host(), state.settings()};
    reports::imprimeTipoRece(request, module.cdsTipoReceHomolog, context);
}

}  // namespace tov::package
