#pragma once
// The print console: one page, its script, its stylesheet and its icon, carried in the program
// (from tools/tovprintd/console/) and served at /, /console.js, /console.css and /icon.svg.

#include <string_view>

#include "http/api_routes.hpp"

namespace tovprintd {

StaticAssets console_assets();

// The embedded files (written at build time from tools/tovprintd/console/).
std::string_view console_page();
std::string_view console_script();
std::string_view console_stylesheet();
std::string_view console_icon();

}  // namespace tovprintd
