#include "access/request_origin.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tovprintd {
namespace {

std::string lowercase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// "http://host:port" -> "host:port"; nothing for an origin without a scheme ("null").
std::optional<std::string> origin_authority(std::string_view origin) {
    const auto scheme_end = origin.find("://");
    if (scheme_end == std::string_view::npos || scheme_end == 0) return std::nullopt;
    std::string_view authority = origin.substr(scheme_end + 3);
    if (authority.empty() || authority.find('/') != std::string_view::npos) return std::nullopt;
    return lowercase(authority);
}

}  // namespace

bool changes_state(const std::string& method) {
    return method != "GET" && method != "HEAD" && method != "OPTIONS";
}

std::optional<std::string> cross_origin_refusal(const HttpRequest& request) {
    if (request.sec_fetch_site && *request.sec_fetch_site != "same-origin" &&
        *request.sec_fetch_site != "none") {
        return "a " + request.method +
               " from another site (Sec-Fetch-Site: " + *request.sec_fetch_site + ") is refused";
    }
    if (!request.origin) return std::nullopt;
    const auto authority = origin_authority(*request.origin);
    if (!authority || !request.host || *authority != lowercase(*request.host)) {
        return "a " + request.method + " from the page of another origin (" + *request.origin +
               ", this service is " + request.host.value_or("without a Host") + ") is refused";
    }
    return std::nullopt;
}

}  // namespace tovprintd
