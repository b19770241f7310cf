#include "platform/db/sqlite_driver.hpp"

#include <sqlite3.h>

#include <array>
#include <charconv>
#include <cmath>

#include "platform/errors/errors.hpp"
#include "platform/fs/text_path.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::db {

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    throw DatabaseError("SQLite: " + what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

// CHARINDEX(needle, haystack): the 1-based position of needle in haystack, 0 when it does not
// occur or is empty, NULL when either is NULL.
void charindex(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* needle = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const auto* haystack = reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
    const std::string_view in(haystack ? haystack : "");
    const std::string_view what(needle ? needle : "");
    const auto at = what.empty() ? std::string_view::npos : in.find(what);
    sqlite3_result_int64(context,
                         at == std::string_view::npos ? 0 : static_cast<sqlite3_int64>(at + 1));
}

int parse_int(std::string_view text, int fallback) {
    int value = fallback;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : fallback;
}

// "NUMERIC(15, 2)" -> {15, 2}; missing numbers keep their fallbacks.
std::pair<int, int> type_arguments(std::string_view declared, int first, int second) {
    const auto open = declared.find('(');
    if (open == std::string_view::npos) return {first, second};
    auto rest = declared.substr(open + 1);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    first = parse_int(rest, first);
    const auto comma = rest.find(',');
    if (comma != std::string_view::npos) {
        auto tail = rest.substr(comma + 1);
        while (!tail.empty() && tail.front() == ' ') tail.remove_prefix(1);
        second = parse_int(tail, second);
    }
    return {first, second};
}

// An integer in a decimal column, from its own digits (a double would lose those past 2^53),
// with the declared scale's zeros ("1000.00").
std::string integer_in_scale(sqlite3_stmt* statement, int index, int scale) {
    std::string text = std::to_string(sqlite3_column_int64(statement, index));
    if (scale > 0) text += "." + std::string(static_cast<std::size_t>(scale), '0');
    return text;
}

// A double in a decimal column. A declared scale rounds it as SQL Server stores it ("9.90");
// without one it is written out in full with the fewest digits that read back as the same
// double ("5.5", "1.25", "0.0001"), which changes no value.
std::string double_in_scale(sqlite3_stmt* statement, int index, int scale) {
    const double value = sqlite3_column_double(statement, index);
    std::array<char, 512> buffer;  // room for any double in full: 309 digits, or 324 decimals
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    const auto result = scale == undeclared_scale
                            ? std::to_chars(first, last, value, std::chars_format::fixed)
                            : std::to_chars(first, last, value, std::chars_format::fixed, scale);
    if (result.ec != std::errc() || !std::isfinite(value))
        throw DatabaseError("SQLite: decimal value out of range in column " +
                            std::to_string(index + 1));
    return std::string(first, result.ptr);
}

class SqliteStatement final : public Statement {
public:
    SqliteStatement(sqlite3* db, StatementHandle statement)
        : db_(db), statement_(std::move(statement)) {
        const int count = sqlite3_column_count(statement_.get());
        for (int index = 0; index < count; ++index)
            columns_.push_back(
                column_from_declared_type(sqlite3_column_name(statement_.get(), index),
                                          sqlite3_column_decltype(statement_.get(), index)));
        advance();
    }

    const std::vector<Column>& columns() const override { return columns_; }

    bool fetch(CellRow& row) override {
        if (!has_row_) return false;
        row.assign(columns_.size(), std::nullopt);
        for (std::size_t index = 0; index < columns_.size(); ++index)
            row[index] = cell(static_cast<int>(index));
        advance();
        return true;
    }

private:
    void advance() {
        const int rc = sqlite3_step(statement_.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail(db_, "statement failed");
        has_row_ = rc == SQLITE_ROW;
    }

    Cell cell(int index) const {
        sqlite3_stmt* statement = statement_.get();
        const int type = sqlite3_column_type(statement, index);
        if (type == SQLITE_NULL) return std::nullopt;
        const Column& column = columns_[static_cast<std::size_t>(index)];
        if (column.kind == ColumnKind::Decimal && type == SQLITE_INTEGER)
            return integer_in_scale(statement, index, column.scale);
        if (column.kind == ColumnKind::Decimal && type == SQLITE_FLOAT)
            return double_in_scale(statement, index, column.scale);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
        return std::string(text ? text : "",
                           static_cast<std::size_t>(sqlite3_column_bytes(statement, index)));
    }

    sqlite3* db_;
    StatementHandle statement_;
    std::vector<Column> columns_;
    bool has_row_ = false;
};

class SqliteDriver final : public Driver {
public:
    explicit SqliteDriver(DatabaseHandle db) : db_(std::move(db)) {
        const int rc =
            sqlite3_create_function(db_.get(), "CHARINDEX", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                    nullptr, charindex, nullptr, nullptr);
        if (rc != SQLITE_OK) fail(db_.get(), "registering CHARINDEX");
    }

    Dialect dialect() const override { return Dialect::Sqlite; }

    std::unique_ptr<Statement> execute(const std::string& sql,
                                       const std::vector<Cell>& parameters) override {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_.get(), sql.c_str(), static_cast<int>(sql.size()), &raw,
                               nullptr) != SQLITE_OK)
            fail(db_.get(), "preparing the statement");
        StatementHandle statement(raw);
        if (static_cast<std::size_t>(sqlite3_bind_parameter_count(raw)) != parameters.size())
            throw DatabaseError(
                "SQLite: the statement has " + std::to_string(sqlite3_bind_parameter_count(raw)) +
                " markers for " + std::to_string(parameters.size()) + " parameters");
        for (std::size_t index = 0; index < parameters.size(); ++index)
            bind(raw, index, parameters[index]);
        return std::make_unique<SqliteStatement>(db_.get(), std::move(statement));
    }

private:
    void bind(sqlite3_stmt* statement, std::size_t index, const Cell& value) {
        const int position = static_cast<int>(index) + 1;
        const int rc = value ? sqlite3_bind_text(statement, position, value->data(),
                                                 static_cast<int>(value->size()), SQLITE_TRANSIENT)
                             : sqlite3_bind_null(statement, position);
        if (rc != SQLITE_OK) fail(db_.get(), "binding parameter " + std::to_string(position));
    }

    DatabaseHandle db_;
};

}  // namespace

Column column_from_declared_type(std::string name, const char* declared_type) {
    Column column{std::move(name), ColumnKind::Unknown, 0, 0, 0};
    if (declared_type == nullptr || *declared_type == '\0') return column;
    const std::string declared = text::ansi_upper(declared_type);
    auto has = [&](std::string_view part) { return declared.find(part) != std::string::npos; };
    if (has("INT")) {
        column.kind = ColumnKind::Integer;
        column.size = has("BIGINT") ? 8 : has("SMALLINT") ? 2 : 4;
    } else if (has("CHAR") || has("TEXT") || has("CLOB")) {
        column.kind = ColumnKind::Text;
        column.size = type_arguments(declared, 0, 0).first;
    } else if (has("NUMERIC") || has("DECIMAL") || has("MONEY")) {
        column.kind = ColumnKind::Decimal;
        std::tie(column.precision, column.scale) = type_arguments(declared, 0, undeclared_scale);
    } else if (has("REAL") || has("FLOA") || has("DOUB")) {
        column.kind = ColumnKind::Floating;
    } else if (has("DATE") || has("TIME")) {
        column.kind = ColumnKind::DateTime;
    } else {
        column.kind = ColumnKind::Text;
    }
    return column;
}

std::unique_ptr<Driver> open_sqlite(const std::string& path, bool create) {
    sqlite3* raw = nullptr;
    const int flags =
        SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    // The path is the package's text; SQLite takes file names in UTF-8.
    const std::string file_name = tov::fs::utf8_file_name(tov::fs::path_from_text(path));
    const int rc = sqlite3_open_v2(file_name.c_str(), &raw, flags, nullptr);
    DatabaseHandle db(raw);
    if (rc != SQLITE_OK) fail(raw, "opening '" + path + "'");
    sqlite3_extended_result_codes(raw, 1);
    return std::make_unique<SqliteDriver>(std::move(db));
}

}  // namespace tov::db
