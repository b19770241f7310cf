#pragma once
// tovprintd's configuration: one JSON object (tovprintd --config FILE).
//
//   listen      "HOST:PORT" the API listens on (127.0.0.1:8631 unless given; [::1]:8631 for IPv6)
//   journal     the SQLite file that keeps every accepted job
//   callers     [{"name", "token_sha256" (64 hex digits), "role": "till" | "manager"}]
//   tls         {"certificate", "key"}: PEM files; the API speaks HTTPS when given
//   printers    {NAME: {"address" (tovprint's --printer), "profile" (tovprint's --profile),
//                "backup" (another printer's name), "timeout" (seconds, 10 unless given)}}
//   package     {"connection", "exe_path", "now" (YYYY-MM-DD HH:MM), "library"}, each optional
//   queue_limit jobs waiting per printer before new ones are refused (1000 unless given)
//   max_body_bytes  the largest request body (4 MiB unless given)
//
// Every key is checked: an unknown key, a missing one, a wrong type, a profile that does not
// exist, a backup that is no printer, a token that is not 64 hex digits or a listen address that
// cannot be read stops the start with one message naming it.

#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/caller_role.hpp"
#include "config/listen_address.hpp"
#include "printer/printer_profile.hpp"

namespace tovprintd {

using TokenDigest = std::array<unsigned char, 32>;

struct CallerConfig {
    std::string name;
    TokenDigest token_sha256{};
    CallerRole role = CallerRole::Till;
};

struct TlsConfig {
    std::filesystem::path certificate;
    std::filesystem::path key;
};

struct PrinterConfig {
    std::string name;
    std::string address;  // as tovprint's --printer takes it
    tovprint::PrinterProfile profile;
    std::optional<std::string> backup;
    std::chrono::milliseconds timeout{10000};
};

struct PackageConfig {
    std::optional<std::string> connection;  // Windows-1252
    std::optional<std::filesystem::path> exe_path;
    std::optional<double> now;  // days since 1899-12-30
    std::optional<std::filesystem::path> library;
};

inline constexpr std::size_t default_queue_limit = 1000;
inline constexpr std::size_t default_max_body_bytes = 4 * 1024 * 1024;

struct ServiceConfig {
    ListenAddress listen;
    std::filesystem::path journal;
    std::vector<CallerConfig> callers;
    std::optional<TlsConfig> tls;
    std::map<std::string, PrinterConfig> printers;
    PackageConfig package;
    std::size_t queue_limit = default_queue_limit;
    std::size_t max_body_bytes = default_max_body_bytes;
};

// Throws tov::ArgumentError "ORIGIN: KEY: what is wrong".
ServiceConfig read_service_config(std::string_view json_text, const std::string& origin);

// Reads the file (a regular file of at most 1 MiB); throws tov::FileError or tov::ArgumentError.
ServiceConfig load_service_config(const std::filesystem::path& file);

}  // namespace tovprintd
