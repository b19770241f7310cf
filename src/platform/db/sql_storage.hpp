#pragma once
// A statement kept in its variants by database. The statement as written (SQL Server's) runs
// wherever no variant of its own is stored. A variant may also declare the type of result
// columns its database cannot describe (an SQLite expression such as SUM(...)).

#include <string>
#include <vector>

#include "platform/db/column.hpp"
#include "platform/db/dialect.hpp"

namespace tov::db {

struct SqlVariant {
    std::string sql;
    std::vector<Column> declared_columns;  // by name, for columns the driver reports as Unknown
};

class SqlStorage {
public:
    SqlStorage() = default;
    explicit SqlStorage(std::string sql) : default_{std::move(sql), {}} {}

    // Stores (or replaces) the variant for dialect.
    SqlStorage& with(Dialect dialect, std::string sql, std::vector<Column> declared_columns = {});

    // The variant stored for dialect, or the statement as written.
    const SqlVariant& for_dialect(Dialect dialect) const;
    const std::string& sql() const { return default_.sql; }

private:
    SqlVariant default_;
    std::vector<std::pair<Dialect, SqlVariant>> variants_;
};

}  // namespace tov::db
