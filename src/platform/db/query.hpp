#pragma once
// A query over the shared connection: a stored statement with its dialect variants, parameters
// set by name as text, Close/Open, and the rows of the last opening with a current row. Opening
// connects the connection when it is closed, picks the variant for its dialect, binds every
// occurrence of every name and reads all rows. With EnableBCD off, decimal columns are
// delivered as floating-point numbers.

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/column.hpp"
#include "platform/db/connection.hpp"
#include "platform/db/sql_storage.hpp"

namespace tov::db {

class Query {
public:
    // Throws tov::DatabaseError when the statement as written cannot be scanned for parameters.
    Query(std::string name, Connection& connection, SqlStorage statement, bool enable_bcd = true);

    const std::string& name() const { return name_; }
    bool enable_bcd() const { return enable_bcd_; }
    // The parameters of the statement as written, in order of first use. Each starts as NULL.
    std::vector<std::string> parameter_names() const;

    // Sets every occurrence of a parameter. Throws tov::DatabaseError for a name the statement
    // does not use.
    void set_param(std::string_view parameter, std::string value);

    void close();
    // Throws tov::DatabaseError (naming the query) for a failure to connect, prepare, bind, run
    // or fetch; the query stays closed.
    void open();
    bool active() const { return active_; }

    // The result of the last opening; columns with the kind the query delivers.
    const std::vector<Column>& columns() const { return columns_; }
    const std::vector<CellRow>& rows() const { return rows_; }

    bool eof() const { return current_ >= rows_.size(); }
    void first() { current_ = 0; }
    void next();

    // The value of a column of the current row; NULL when there is none (an empty result).
    // Throws tov::FieldNotFound, or tov::DatabaseError when the query is closed.
    const Cell& field(std::string_view column) const;
    // NULL reads as 0 and as "".
    double field_as_double(std::string_view column) const;
    std::string field_as_string(std::string_view column) const;

private:
    struct Parameter {
        std::string name;
        Cell value;
    };

    std::vector<Cell> bind_values(const std::vector<std::string>& marker_names) const;
    void resolve_columns(const std::vector<Column>& described, const SqlVariant& variant);
    std::size_t column_index(std::string_view column) const;

    std::string name_;
    Connection& connection_;
    SqlStorage statement_;
    bool enable_bcd_;
    std::vector<Parameter> parameters_;
    bool active_ = false;
    std::vector<Column> columns_;
    std::vector<CellRow> rows_;
    std::size_t current_ = 0;
};

}  // namespace tov::db
