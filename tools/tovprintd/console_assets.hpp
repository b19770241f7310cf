#pragma once
// The print console: one page, its script and its stylesheet, carried in the program (from
// tools/tovprintd/console/) and served at /, /console.js and /console.css.

#include <string_view>

#include "api_routes.hpp"

namespace tovprintd {

StaticAssets console_assets();

// The embedded files (written at build time from tools/tovprintd/console/).
std::string_view console_page();
std::string_view console_script();
std::string_view console_stylesheet();

}  // namespace tovprintd
