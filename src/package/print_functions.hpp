#pragma once
// The print functions over the package state, shared by the C exports and the C++ API. Each
// creates the data module first, as every creating print function does, then prints.

#include "package/package_state.hpp"
#include "reports/sales_by_salesperson.hpp"

namespace tov::package {

bool print_sales_by_salesperson(PackageState& state,
                                const reports::SalesBySalespersonRequest& request);

}  // namespace tov::package
