#pragma once
// `tovprint lookup NAME ARGS...`: one sale lookup called through the package's C interface, its
// answer printed: a packet as a table (like `packet show`), the error text or a number or name
// as it is. The store is the one of --connection, else TOV_CONNECTION, else the demo store; the
// clock is the system's unless --now fixes it (the demo store's till is open today).

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tovprint {

struct LookupEntry {
    std::string_view name;                    // the lookup, as the package exports it
    std::vector<std::string_view> arguments;  // its parameters, in order
};

// The eight lookups, in the order of the C header.
const std::vector<LookupEntry>& lookup_entries();

// One line per lookup: its name and arguments, for --help.
std::string lookup_usage();

struct LookupRequest {
    std::string name;                    // one of lookup_entries(), exactly
    std::vector<std::string> arguments;  // UTF-8, as typed
    std::optional<std::filesystem::path> library;
    std::optional<std::string> connection;  // handed to the package by GetStringConexPld
    std::optional<double> now;              // days since 1899-12-30
};

// Throws tov::ArgumentError for an unknown name or a wrong number of arguments, and the
// package's failure (a result that does not fit) as tov::Error.
void run_lookup(const LookupRequest& request, std::ostream& out);

}  // namespace tovprint
