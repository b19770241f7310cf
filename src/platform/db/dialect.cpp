#include "platform/db/dialect.hpp"

#include <algorithm>
#include <cctype>
#include <string>

namespace tov::db {

std::string_view dialect_name(Dialect dialect) {
    switch (dialect) {
        case Dialect::SqlServer:
            return "SQL Server";
        case Dialect::Oracle:
            return "Oracle";
        case Dialect::Sqlite:
            return "SQLite";
        case Dialect::Postgres:
            return "PostgreSQL";
        case Dialect::Other:
            break;
    }
    return "other";
}

Dialect dialect_from_dbms_name(std::string_view dbms_name) {
    std::string lower(dbms_name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto contains = [&](std::string_view part) { return lower.find(part) != std::string::npos; };
    if (contains("sql server")) return Dialect::SqlServer;
    if (contains("oracle")) return Dialect::Oracle;
    if (contains("postgres")) return Dialect::Postgres;
    if (contains("sqlite")) return Dialect::Sqlite;
    return Dialect::Other;
}

}  // namespace tov::db
