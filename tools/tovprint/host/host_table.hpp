#pragma once
// tovprint's host services: a tov_host table that fixes the clock when a date-time is given
// (so that a document's date is stable), names the host executable when a path is given (the
// package finds the files a host keeps beside its executable there), answers the connection
// string when one is given, and leaves every other service to the package's built-in default
// (the printer table of TOV_PRINTERS, the connection string of TOV_CONNECTION, the running
// program's own path).

#include <filesystem>
#include <optional>
#include <string>

#include "platform/fs/text_path.hpp"
#include "tov00000/tov00000.h"

namespace tovprint {

class HostTable {
public:
    // now: days since 1899-12-30, or nothing for the system clock.
    // exe_path: the host executable the package is told of, or nothing for tovprint itself.
    // connection: the connection string (Windows-1252), or nothing for the package's default.
    explicit HostTable(std::optional<double> now,
                       std::optional<std::filesystem::path> exe_path = std::nullopt,
                       std::optional<std::string> connection = std::nullopt)
        : now_(now),
          exe_path_(exe_path ? std::optional(tov::fs::text_from_path(*exe_path)) : std::nullopt),
          connection_(std::move(connection)) {}
    HostTable(const HostTable&) = delete;
    HostTable& operator=(const HostTable&) = delete;

    // The table to register with Tov_SetHost; its ctx is this object.
    tov_host table();

    double now() const { return *now_; }
    const std::string& exe_path() const { return *exe_path_; }
    const std::string& connection() const { return *connection_; }

private:
    std::optional<double> now_;
    std::optional<std::string> exe_path_;
    std::optional<std::string> connection_;
};

}  // namespace tovprint
