#pragma once
// The exchange coupon over the package state: creates the data module, then prints the coupon
// with its product dataset and message table.

#include "coupon/exchange_coupon.hpp"
#include "package/package_state.hpp"

namespace tov::package {

bool print_exchange_coupon(PackageState& state, const coupon::ExchangeCouponRequest& request);

}  // namespace tov::package
