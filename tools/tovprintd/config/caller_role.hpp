#pragma once
// What a caller of the API may do. A till submits jobs and reads its own; a manager may also list
// every job, cancel and reprint.

#include <optional>
#include <string_view>

namespace tovprintd {

enum class CallerRole { Till, Manager };

inline std::optional<CallerRole> caller_role_named(std::string_view name) {
    if (name == "till") return CallerRole::Till;
    if (name == "manager") return CallerRole::Manager;
    return std::nullopt;
}

inline std::string_view caller_role_name(CallerRole role) {
    return role == CallerRole::Manager ? "manager" : "till";
}

}  // namespace tovprintd
