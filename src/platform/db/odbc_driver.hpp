#pragma once
// Every database but the embedded store: ODBC, straight on the ODBC API. The dialect is the
// one the driver names (SQL_DBMS_NAME); parameters are bound as SQL_C_CHAR text; values are
// read as text in pieces, so a long one is read whole.

#include <memory>
#include <string>

#include "platform/db/driver.hpp"

namespace tov::db {

// Connects with SQLDriverConnect, without prompting. Throws tov::DatabaseError.
std::unique_ptr<Driver> open_odbc(const std::string& connection_string);

}  // namespace tov::db
