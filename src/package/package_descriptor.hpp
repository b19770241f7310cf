#pragma once
// The descriptor GetPackageInfoTable returns: a run-time-only package that requires the host's
// back-end and shared packages and contains its main unit, its own unit and SysInit.

#include "tov00000/tov00000.h"

namespace tov::package {

const tov_package_info& package_descriptor();

}  // namespace tov::package
