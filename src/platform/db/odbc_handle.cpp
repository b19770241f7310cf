#include "platform/db/odbc_handle.hpp"

#include "platform/errors/errors.hpp"

namespace tov::db {

namespace {

std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRec(type, handle, record, state, &native, message,
                                           static_cast<SQLSMALLINT>(sizeof message), &length);
        if (!odbc_succeeded(rc)) break;
        std::string line = "[" + std::string(reinterpret_cast<const char*>(state)) + "] ";
        line += reinterpret_cast<const char*>(message);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (native != 0) line += " (native " + std::to_string(native) + ")";
        text += (text.empty() ? "" : "; ") + line;
    }
    return text.empty() ? std::string("no diagnostics") : text;
}

}  // namespace

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    const SQLRETURN rc = SQLAllocHandle(type, parent, &handle_);
    if (!odbc_succeeded(rc)) {
        handle_ = SQL_NULL_HANDLE;
        throw DatabaseError("ODBC: cannot allocate a handle of type " + std::to_string(type));
    }
}

OdbcHandle::~OdbcHandle() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
}

void OdbcHandle::check(SQLRETURN rc, const std::string& what) const {
    if (odbc_succeeded(rc)) return;
    throw DatabaseError("ODBC: " + what + ": " + diagnostics(type_, handle_));
}

std::string OdbcHandle::first_state() const {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!odbc_succeeded(SQLGetDiagRec(type_, handle_, 1, state, &native, nullptr, 0, &length)))
        return {};
    return reinterpret_cast<const char*>(state);
}

}  // namespace tov::db
