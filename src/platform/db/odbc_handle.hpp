#pragma once
// An ODBC handle that frees itself, and the diagnostics of a failed call turned into a
// tov::DatabaseError: every record's SQLSTATE, native code and message.

#ifdef _WIN32
#include <windows.h>  // the system's ODBC headers (odbc32) take their base types from it
#endif
#include <sql.h>
#include <sqlext.h>

#include <string>

namespace tov::db {

class OdbcHandle {
public:
    // Allocates a handle of type under parent (SQL_NULL_HANDLE for an environment).
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle();
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }

    // Throws tov::DatabaseError with the handle's diagnostics when rc is an error.
    void check(SQLRETURN rc, const std::string& what) const;
    // The SQLSTATE of the first diagnostic record, or "".
    std::string first_state() const;

private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

inline bool odbc_succeeded(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

}  // namespace tov::db
