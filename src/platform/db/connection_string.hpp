#pragma once
// Connection strings as the host hands them over: "Provider=SQLite;Data Source=PATH" for the
// embedded store, ODBC strings ("Driver=...", "DSN=...") taken as they are, and ADO strings for
// SQL Server and Oracle translated into ODBC form.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tov::db {

// Keys and values in order; keys keep their spelling, values lose their quotes.
using ConnectionPairs = std::vector<std::pair<std::string, std::string>>;

// Splits "key=value;key=value". A value may be quoted with "...", '...' (ADO) or {...} (ODBC),
// and then may hold ';'. Throws tov::DatabaseError for a pair without '=' or an open quote.
ConnectionPairs parse_connection_string(std::string_view text);

// The value of key (compared without case), or "" if absent.
std::string connection_value(const ConnectionPairs& pairs, std::string_view key);

// The ODBC drivers that ADO strings are translated to.
struct OdbcDriverNames {
    std::string sql_server = "ODBC Driver 18 for SQL Server";
    std::string oracle = "Oracle ODBC Driver";
};

struct ConnectionTarget {
    enum class Kind { Sqlite, Odbc };
    Kind kind = Kind::Odbc;
    std::string sqlite_path;  // Kind::Sqlite
    std::string odbc;         // Kind::Odbc: the string for SQLDriverConnect
};

// Throws tov::DatabaseError for an empty string, a provider that is neither SQLite, SQL Server,
// Oracle nor ODBC, or an SQLite string without a data source.
ConnectionTarget resolve_connection_string(std::string_view text, const OdbcDriverNames& drivers);

}  // namespace tov::db
