#pragma once
// A SQLite database file and its prepared statements, owned (RAII). Failures are tov::Error
// naming the file and what SQLite said.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tovprintd {

class SqliteDatabase {
public:
    explicit SqliteDatabase(const std::filesystem::path& file);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Runs statements that take no parameters and answer no rows.
    void execute(const char* sql);
    std::int64_t last_insert_id() const;
    int changes() const;
    [[noreturn]] void fail(const std::string& doing) const;

    sqlite3* handle() const { return db_; }

private:
    std::string file_;
    sqlite3* db_ = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters from 1.
    SqliteStatement& bind(int index, std::string_view text);
    SqliteStatement& bind(int index, const std::string& text) {
        return bind(index, std::string_view(text));
    }
    SqliteStatement& bind_blob(int index, std::string_view bytes);
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, const std::optional<std::string>& text);
    SqliteStatement& bind(int index, const std::optional<std::int64_t>& value);

    // Steps once: true while a row is there.
    bool step();
    // Steps to the end of a statement that answers no rows.
    void run();
    // Ready to run again with new parameters.
    void reset();

    // Columns from 0, of the current row.
    std::string text(int column) const;
    std::optional<std::string> optional_text(int column) const;
    std::int64_t integer(int column) const;
    std::optional<std::int64_t> optional_integer(int column) const;

private:
    SqliteDatabase& db_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace tovprintd
