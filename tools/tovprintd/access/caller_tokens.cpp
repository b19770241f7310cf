#include "access/caller_tokens.hpp"

#include <openssl/crypto.h>

#include "access/sha256.hpp"

namespace tovprintd {

std::optional<CallerConfig> CallerTokens::caller_of(std::string_view token) const {
    const Sha256 digest = sha256(token);
    const CallerConfig* found = nullptr;
    for (const CallerConfig& caller : callers_) {
        const bool same =
            CRYPTO_memcmp(caller.token_sha256.data(), digest.data(), digest.size()) == 0;
        if (same) found = &caller;
    }
    if (found == nullptr) return std::nullopt;
    return *found;
}

std::optional<std::string_view> bearer_token(std::string_view authorization) {
    constexpr std::string_view scheme = "Bearer ";
    if (authorization.size() <= scheme.size()) return std::nullopt;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        const char c = authorization[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        const char expected = scheme[i] >= 'A' && scheme[i] <= 'Z'
                                  ? static_cast<char>(scheme[i] - 'A' + 'a')
                                  : scheme[i];
        if (lower != expected) return std::nullopt;
    }
    std::string_view token = authorization.substr(scheme.size());
    while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
    while (!token.empty() && token.back() == ' ') token.remove_suffix(1);
    if (token.empty()) return std::nullopt;
    return token;
}

}  // namespace tovprintd
