#pragma once
// What each TOV_E_* status code of tov00000.h means, as Tov_StatusText tells a host: the code's
// name and one plain sentence.

#include <cstdint>

namespace tov::package {

// Static text for every code, including one for a code the package does not define.
const char* status_text(int32_t status) noexcept;

}  // namespace tov::package
