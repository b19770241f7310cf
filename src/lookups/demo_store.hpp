#pragma once
// The demo store: an SQLite file built from the SQL compiled into the library (the schema and
// demo rows of data/store) the first time it is needed, and built again when that SQL changes
// or on a new day (its open till shift is today's). The package connects to it when no
// connection string is configured.

#include <filesystem>
#include <string>

namespace tov::lookups {

// What a demo store is built from: the schema, then the rows.
struct DemoStoreSql {
    std::string schema;
    std::string rows;
};

class DemoStore {
public:
    // file: where the store is kept; sql: what it is built from.
    explicit DemoStore(std::filesystem::path file = default_file(),
                       DemoStoreSql sql = embedded_sql());

    // tov00000/demo_store.db in the user's cache folder: %LOCALAPPDATA% on Windows; elsewhere
    // $XDG_CACHE_HOME, else ~/.cache; else the temporary folder.
    static std::filesystem::path default_file();
    // The library's own schema and demo rows (demo_store_sql.hpp).
    static DemoStoreSql embedded_sql();

    // Builds the file unless it is current and returns its path. Throws tov::DatabaseError when
    // the store cannot be built.
    std::filesystem::path ensure() const;

    // "Provider=SQLite;Data Source=<the file>", after ensure().
    std::string connection_string() const;

private:
    std::filesystem::path file_;
    DemoStoreSql sql_;
};

// The connection string to use: the configured one, or the demo store's when it is empty.
std::string connection_string_or_demo_store(const std::string& configured, const DemoStore& store);

}  // namespace tov::lookups
