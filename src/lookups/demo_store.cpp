#include "lookups/demo_store.hpp"

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>

#include "lookups/demo_store_sql.hpp"
#include "platform/errors/errors.hpp"
#include "platform/format/local_time.hpp"
#include "platform/fs/cache_folder.hpp"
#include "platform/fs/executable_path.hpp"
#include "platform/fs/text_path.hpp"

namespace tov::lookups {

namespace fs = std::filesystem;

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;

// FNV-1a: a stable digest of the SQL the store was built from.
std::string digest(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

std::string local_date() {
    const std::tm local = format::local_calendar(std::time(nullptr));
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
    return buffer;
}

DatabaseHandle open(const fs::path& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(tov::fs::utf8_file_name(path).c_str(), &raw, flags, nullptr);
    DatabaseHandle db(raw);
    if (rc != SQLITE_OK) return nullptr;
    return db;
}

// The stamp the store at path was built with, or "" when there is none.
std::string stored_stamp(const fs::path& path) {
    if (!fs::exists(path)) return {};
    const DatabaseHandle db = open(path, SQLITE_OPEN_READONLY);
    if (!db) return {};
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT STAMP FROM DEMO_STORE_STAMP", -1, &raw, nullptr) !=
        SQLITE_OK)
        return {};
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
    if (sqlite3_step(raw) != SQLITE_ROW) return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
    return text ? text : "";
}

void run(sqlite3* db, const std::string& sql, const std::string& what) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
    const std::string text = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw DatabaseError("demo store: " + what + ": " + text);
}

void build(const fs::path& path, const DemoStoreSql& sql, const std::string& stamp) {
    fs::remove(path);
    const DatabaseHandle db = open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db) throw DatabaseError("demo store: cannot create '" + path.string() + "'");
    run(db.get(), "BEGIN", "starting");
    run(db.get(), sql.schema, "the schema");
    run(db.get(), sql.rows, "the demo rows");
    run(db.get(),
        "CREATE TABLE DEMO_STORE_STAMP (STAMP TEXT); INSERT INTO DEMO_STORE_STAMP VALUES ('" +
            stamp + "')",
        "stamping");
    run(db.get(), "COMMIT", "committing");
}

}  // namespace

DemoStore::DemoStore(fs::path file, DemoStoreSql sql)
    : file_(std::move(file)), sql_(std::move(sql)) {}

fs::path DemoStore::default_file() {
    return tov::fs::user_cache_folder() / "tov00000" / "demo_store.db";
}

DemoStoreSql DemoStore::embedded_sql() {
    return {std::string(demo_store_schema_sql()), std::string(demo_store_rows_sql())};
}

fs::path DemoStore::ensure() const {
    const std::string stamp = digest(sql_.schema + '\0' + sql_.rows) + " " + local_date();
    if (stored_stamp(file_) == stamp) return file_;
    std::error_code ignored;
    fs::create_directories(file_.parent_path(), ignored);
    // Built beside the store and moved into place, so no one ever opens a half-built store.
    fs::path building = file_;
    building += ".building." + std::to_string(tov::fs::process_id());
    try {
        build(building, sql_, stamp);
        fs::rename(building, file_);
    } catch (const fs::filesystem_error& error) {
        fs::remove(building, ignored);
        throw DatabaseError("demo store: cannot build '" + file_.string() + "': " + error.what());
    } catch (...) {
        fs::remove(building, ignored);
        throw;
    }
    return file_;
}

std::string DemoStore::connection_string() const {
    return "Provider=SQLite;Data Source=" + tov::fs::text_from_path(ensure());
}

std::string connection_string_or_demo_store(const std::string& configured, const DemoStore& store) {
    return configured.empty() ? store.connection_string() : configured;
}

}  // namespace tov::lookups
