#pragma once
// One call of a print function with all its arguments ready, made once the package is loaded.
// It answers the function's Boolean result.

#include <functional>

#include "package_session.hpp"

namespace tovprint {

using DocumentCall = std::function<bool(PackageSession&)>;

}  // namespace tovprint
