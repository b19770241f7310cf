#include "package/print_exchange_coupon.hpp"

namespace tov::package {

bool print_exchange_coupon(PackageState& state, const coupon::ExchangeCouponRequest& request) {
    TdtmGeral& module = state.ensure_data_module();
    const coupon::CouponContext context{state.backend(), state.host(), state.settings(),
                                        module.msgPadrao};
    return coupon::CupomTroca(request, module.cdsProdCupTroca, context);
}

}  // namespace tov::package
