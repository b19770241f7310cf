#pragma once
// A request the API answers with an error: the HTTP status and a message naming what was wrong,
// sent as {"error": "..."}.

#include <optional>
#include <stdexcept>
#include <string>

namespace tovprintd {

namespace http_status {
inline constexpr int ok = 200;
inline constexpr int created = 201;
inline constexpr int bad_request = 400;
inline constexpr int unauthorized = 401;
inline constexpr int forbidden = 403;
inline constexpr int not_found = 404;
inline constexpr int method_not_allowed = 405;
inline constexpr int request_timeout = 408;
inline constexpr int conflict = 409;
inline constexpr int payload_too_large = 413;
inline constexpr int unprocessable = 422;
inline constexpr int internal_error = 500;
inline constexpr int service_unavailable = 503;
}  // namespace http_status

class ApiError : public std::runtime_error {
public:
    ApiError(int status, const std::string& message,
             std::optional<int> retry_after_seconds = std::nullopt)
        : std::runtime_error(message), status_(status), retry_after_(retry_after_seconds) {}

    int status() const { return status_; }
    std::optional<int> retry_after_seconds() const { return retry_after_; }

private:
    int status_;
    std::optional<int> retry_after_;
};

}  // namespace tovprintd
