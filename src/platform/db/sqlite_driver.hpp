#pragma once
// The embedded store: SQLite in process. Column kinds come from the declared types of the
// table columns ("NUMERIC(15,2)" is a decimal, "TIMESTAMP" a date-time); an expression has
// none and is Unknown. A decimal's values are rounded to its declared scale; a decimal without
// one ("NUMERIC", "DECIMAL(10)") keeps every value as SQLite stores it. Registers
// CHARINDEX(needle, haystack) with SQL Server's meaning.

#include <memory>
#include <string>

#include "platform/db/driver.hpp"

namespace tov::db {

// Opens (or creates, when create is true) the database file at path. Throws tov::DatabaseError.
std::unique_ptr<Driver> open_sqlite(const std::string& path, bool create = false);

// The kind, size, precision and scale that a declared column type stands for.
Column column_from_declared_type(std::string name, const char* declared_type);

}  // namespace tov::db
