#pragma once
// The two things a database driver provides: an open session that runs statements, and the
// result of one statement, fetched row by row. Statements use '?' markers; every parameter is
// bound as text. Failures are tov::DatabaseError, naming the statement.

#include <memory>
#include <string>
#include <vector>

#include "platform/db/column.hpp"
#include "platform/db/dialect.hpp"

namespace tov::db {

class Statement {
public:
    virtual ~Statement() = default;
    // The result columns; empty for a statement that returns no rows.
    virtual const std::vector<Column>& columns() const = 0;
    // Reads the next row into row (one cell per column); false past the last row.
    virtual bool fetch(CellRow& row) = 0;
};

class Driver {
public:
    virtual ~Driver() = default;
    virtual Dialect dialect() const = 0;
    // Prepares and runs sql with one text value per '?' marker, in order.
    virtual std::unique_ptr<Statement> execute(const std::string& sql,
                                               const std::vector<Cell>& parameters) = 0;
};

}  // namespace tov::db
