#include "journal/sqlite_database.hpp"

#include <sqlite3.h>

#include "platform/errors/errors.hpp"

namespace tovprintd {

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file) : file_(file.string()) {
    const int opened = sqlite3_open_v2(
        file_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
        nullptr);
    if (opened != SQLITE_OK) {
        const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw tov::FileError("journal '" + file_ + "': cannot open: " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 5000);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close_v2(db_);
}

void SqliteDatabase::execute(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "unknown error";
        sqlite3_free(message);
        throw tov::Error("journal '" + file_ + "': " + text);
    }
}

std::int64_t SqliteDatabase::last_insert_id() const {
    return sqlite3_last_insert_rowid(db_);
}

int SqliteDatabase::changes() const {
    return sqlite3_changes(db_);
}

void SqliteDatabase::fail(const std::string& doing) const {
    throw tov::Error("journal '" + file_ + "': " + doing + ": " + sqlite3_errmsg(db_));
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
        db.fail("preparing a statement");
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        db_.fail("binding a text");
    }
    return *this;
}

SqliteStatement& SqliteStatement::bind_blob(int index, std::string_view bytes) {
    if (sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT) !=
        SQLITE_OK) {
        db_.fail("binding bytes");
    }
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) db_.fail("binding a number");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::optional<std::string>& text) {
    if (text) return bind(index, std::string_view(*text));
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK) db_.fail("binding NULL");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::optional<std::int64_t>& value) {
    if (value) return bind(index, *value);
    if (sqlite3_bind_null(statement_, index) != SQLITE_OK) db_.fail("binding NULL");
    return *this;
}

bool SqliteStatement::step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    db_.fail("running a statement");
}

void SqliteStatement::run() {
    while (step()) {
    }
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string SqliteStatement::text(int column) const {
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (data == nullptr) return {};
    return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

std::optional<std::string> SqliteStatement::optional_text(int column) const {
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL) return std::nullopt;
    return text(column);
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::optional<std::int64_t> SqliteStatement::optional_integer(int column) const {
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL) return std::nullopt;
    return integer(column);
}

}  // namespace tovprintd
