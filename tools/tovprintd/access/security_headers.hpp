#pragma once
// The headers every answer of the service carries, the console's page and the API's alike: the
// page runs only its own script and stylesheet (no inline code), draws pictures only from the
// service or from blobs it made, cannot be framed, and tells no other site where it was.

#include <array>
#include <string_view>
#include <utility>

namespace tovprintd {

inline constexpr std::string_view content_security_policy =
    "default-src 'self'; script-src 'self'; style-src 'self'; img-src 'self' blob:; "
    "connect-src 'self'; base-uri 'none'; form-action 'self'; frame-ancestors 'none'";

inline constexpr std::array<std::pair<std::string_view, std::string_view>, 4> security_headers{{
    {"Content-Security-Policy", content_security_policy},
    {"X-Frame-Options", "DENY"},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
}};

}  // namespace tovprintd
