#pragma once
// The payment-means report over the package state: creates the data module, then prints the
// report with its dataset.

#include "package/package_state.hpp"
#include "reports/payment_means.hpp"

namespace tov::package {

void print_payment_means(PackageState& state, const reports::PaymentMeansRequest& request);

}  // namespace tov::package
