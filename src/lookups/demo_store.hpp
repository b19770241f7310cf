#pragma once
// The demo store: an SQLite file built from data/store/schema.sql and demo_rows.sql the first
// time it is needed, and built again when those files change or on a new day (its open till
// shift is today's). The package connects to it when no connection string is configured.

#include <filesystem>
#include <string>

namespace tov::lookups {

class DemoStore {
public:
    // file: where the store is kept; data_dir: the folder holding schema.sql and demo_rows.sql.
    explicit DemoStore(std::filesystem::path file = default_file(),
                       std::filesystem::path data_dir = default_data_dir());

    // $XDG_CACHE_HOME/tov00000/demo_store.db, else ~/.cache/tov00000/demo_store.db, else the
    // temporary folder.
    static std::filesystem::path default_file();
    static std::filesystem::path default_data_dir();

    // Builds the file unless it is current and returns its path. Throws tov::FileError for a
    // missing SQL file, tov::DatabaseError when the store cannot be built.
    std::filesystem::path ensure() const;

    // "Provider=SQLite;Data Source=<the file>", after ensure().
    std::string connection_string() const;

private:
    std::filesystem::path file_;
    std::filesystem::path data_dir_;
};

// The connection string to use: the configured one, or the demo store's when it is empty.
std::string connection_string_or_demo_store(const std::string& configured, const DemoStore& store);

}  // namespace tov::lookups
