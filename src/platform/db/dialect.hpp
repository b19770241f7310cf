#pragma once
// The database a connection talks to, as far as the statements care: each dialect may need its
// own variant of a statement.

#include <string_view>

namespace tov::db {

enum class Dialect { SqlServer, Oracle, Sqlite, Postgres, Other };

// "SQL Server", "Oracle", ... for messages.
std::string_view dialect_name(Dialect dialect);

// The dialect of a database as the driver names it (the ODBC DBMS name): "Microsoft SQL
// Server", "Oracle", "PostgreSQL", "SQLite"; anything else is Other.
Dialect dialect_from_dbms_name(std::string_view dbms_name);

}  // namespace tov::db
