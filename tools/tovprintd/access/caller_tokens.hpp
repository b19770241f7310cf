#pragma once
// Who is calling: the caller whose token's SHA-256 is the digest of the bearer token presented.
// Only digests are kept; every caller's digest is compared, in constant time, whatever matched
// before, so that the time of the answer tells nothing of the tokens.

#include <optional>
#include <string_view>
#include <vector>

#include "config/service_config.hpp"

namespace tovprintd {

class CallerTokens {
public:
    explicit CallerTokens(std::vector<CallerConfig> callers) : callers_(std::move(callers)) {}

    // The caller of the token, or nothing for an unknown token.
    std::optional<CallerConfig> caller_of(std::string_view token) const;

private:
    std::vector<CallerConfig> callers_;
};

// The token of an Authorization header "Bearer TOKEN", or nothing for another form.
std::optional<std::string_view> bearer_token(std::string_view authorization);

}  // namespace tovprintd
