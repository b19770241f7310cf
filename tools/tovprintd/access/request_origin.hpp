#pragma once
// Whether a request that changes something came from another site. A browser names the page
// that made a request in Origin and, lately, in Sec-Fetch-Site; a till's program sends neither.
// A request is refused when Sec-Fetch-Site says another origin ("same-site" included: another
// port of the same host is another program) or when Origin is present and names another host
// and port than the request's Host. The token is still required: this only keeps a page of
// another site from using a token a browser might hold.

#include <optional>
#include <string>

#include "http/http_server.hpp"

namespace tovprintd {

// Why the request is refused as one from another origin, or nothing when it is not.
std::optional<std::string> cross_origin_refusal(const HttpRequest& request);

// Whether the method changes something (anything but GET, HEAD and OPTIONS).
bool changes_state(const std::string& method);

}  // namespace tovprintd
