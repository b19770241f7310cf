#pragma once
// The wall clock as the journal writes it: milliseconds since 1970 and ISO 8601 UTC text.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>

namespace tovprintd {

inline std::int64_t utc_milliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// "2026-12-08T14:30:05.123Z"
inline std::string utc_text(std::int64_t milliseconds) {
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    const int fraction = static_cast<int>(milliseconds % 1000);
    return std::string(text, length) + "." + std::to_string(1000 + fraction).substr(1) + "Z";
}

}  // namespace tovprintd
