#pragma once
// The PAF-ECF identification report over the package state: creates the data module first, as
// every creating print function does, then prints.

#include "package/package_state.hpp"
#include "reports/paf_identification.hpp"

namespace tov::package {

bool print_paf_identification(PackageState& state,
                              const reports::PafIdentificationRequest& request);

}  // namespace tov::package
