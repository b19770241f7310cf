#include "platform/db/odbc_driver.hpp"

#include <array>

#include "platform/db/odbc_handle.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::db {

namespace {

SQLCHAR* as_sql_text(const std::string& text) {
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

Column column_from_sql_type(std::string name, SQLSMALLINT type, SQLULEN size, SQLSMALLINT digits) {
    Column column{std::move(name), ColumnKind::Unknown, 0, 0, 0};
    const int declared = size > 0x7FFFFFFF ? 0 : static_cast<int>(size);
    switch (type) {
        case SQL_NUMERIC:
        case SQL_DECIMAL:
            column.kind = ColumnKind::Decimal;
            column.precision = declared;
            column.scale = digits;
            break;
        case SQL_FLOAT:
        case SQL_REAL:
        case SQL_DOUBLE:
            column.kind = ColumnKind::Floating;
            break;
        case SQL_BIT:
        case SQL_TINYINT:
        case SQL_SMALLINT:
            column.kind = ColumnKind::Integer;
            column.size = 2;
            break;
        case SQL_INTEGER:
            column.kind = ColumnKind::Integer;
            column.size = 4;
            break;
        case SQL_BIGINT:
            column.kind = ColumnKind::Integer;
            column.size = 8;
            break;
        case SQL_DATETIME:
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIMESTAMP:
            column.kind = ColumnKind::DateTime;
            break;
        default:  // the character types, and anything else read as its text
            column.kind = ColumnKind::Text;
            column.size = declared;
            break;
    }
    return column;
}

class OdbcStatement final : public Statement {
public:
    OdbcStatement(const OdbcHandle& connection, const std::string& sql,
                  const std::vector<Cell>& parameters, bool upper_case_names)
        : statement_(SQL_HANDLE_STMT, connection.get()),
          parameters_(parameters),
          indicators_(parameters.size(), 0) {
        statement_.check(SQLPrepare(statement_.get(), as_sql_text(sql), SQL_NTS),
                         "preparing the statement");
        for (std::size_t index = 0; index < parameters_.size(); ++index) bind(index);
        const SQLRETURN rc = SQLExecute(statement_.get());
        if (rc != SQL_NO_DATA) statement_.check(rc, "running the statement");
        describe(upper_case_names);
    }

    const std::vector<Column>& columns() const override { return columns_; }

    bool fetch(CellRow& row) override {
        if (columns_.empty()) return false;
        const SQLRETURN rc = SQLFetch(statement_.get());
        if (rc == SQL_NO_DATA) return false;
        statement_.check(rc, "fetching a row");
        row.assign(columns_.size(), std::nullopt);
        for (std::size_t index = 0; index < columns_.size(); ++index)
            row[index] = read_cell(static_cast<SQLUSMALLINT>(index + 1));
        return true;
    }

private:
    void bind(std::size_t index) {
        const Cell& value = parameters_[index];
        indicators_[index] = value ? static_cast<SQLLEN>(value->size()) : SQL_NULL_DATA;
        const SQLULEN size = value && !value->empty() ? value->size() : 1;
        const SQLRETURN rc = SQLBindParameter(
            statement_.get(), static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
            SQL_VARCHAR, size, 0, value ? const_cast<char*>(value->data()) : nullptr,
            static_cast<SQLLEN>(size), &indicators_[index]);
        statement_.check(rc, "binding parameter " + std::to_string(index + 1));
    }

    void describe(bool upper_case_names) {
        SQLSMALLINT count = 0;
        statement_.check(SQLNumResultCols(statement_.get(), &count), "counting the result columns");
        for (SQLSMALLINT index = 1; index <= count; ++index) {
            std::array<SQLCHAR, 256> name{};
            SQLSMALLINT name_length = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            statement_.check(SQLDescribeCol(statement_.get(), static_cast<SQLUSMALLINT>(index),
                                            name.data(), static_cast<SQLSMALLINT>(name.size()),
                                            &name_length, &type, &size, &digits, &nullable),
                             "describing column " + std::to_string(index));
            std::string column_name(reinterpret_cast<const char*>(name.data()));
            if (upper_case_names) column_name = text::ansi_upper(column_name);
            columns_.push_back(column_from_sql_type(std::move(column_name), type, size, digits));
        }
    }

    // The value of one column of the current row, read in pieces.
    Cell read_cell(SQLUSMALLINT column) {
        std::string value;
        std::array<char, 512> buffer{};
        for (;;) {
            SQLLEN length = 0;
            const SQLRETURN rc = SQLGetData(statement_.get(), column, SQL_C_CHAR, buffer.data(),
                                            static_cast<SQLLEN>(buffer.size()), &length);
            if (rc == SQL_NO_DATA) return value;
            statement_.check(rc, "reading column " + std::to_string(column));
            if (length == SQL_NULL_DATA) return std::nullopt;
            const std::size_t room = buffer.size() - 1;
            const bool more = rc == SQL_SUCCESS_WITH_INFO && statement_.first_state() == "01004";
            const std::size_t piece = more || length == SQL_NO_TOTAL
                                          ? room
                                          : std::min(room, static_cast<std::size_t>(length));
            value.append(buffer.data(), piece);
            if (!more) return value;
        }
    }

    OdbcHandle statement_;
    std::vector<Cell> parameters_;  // bound by address: neither is resized after binding
    std::vector<SQLLEN> indicators_;
    std::vector<Column> columns_;
};

class OdbcDriver final : public Driver {
public:
    explicit OdbcDriver(const std::string& connection_string)
        : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE),
          connection_(make_connection(environment_)) {
        SQLSMALLINT out_length = 0;
        const SQLRETURN rc =
            SQLDriverConnect(connection_.get(), nullptr, as_sql_text(connection_string), SQL_NTS,
                             nullptr, 0, &out_length, SQL_DRIVER_NOPROMPT);
        connection_.check(rc, "connecting");
        connected_ = true;
        dialect_ = dialect_from_dbms_name(dbms_name());
    }

    ~OdbcDriver() override {
        if (connected_) SQLDisconnect(connection_.get());
    }

    Dialect dialect() const override { return dialect_; }

    std::unique_ptr<Statement> execute(const std::string& sql,
                                       const std::vector<Cell>& parameters) override {
        // PostgreSQL folds unquoted names to lower case; the statements name their columns in
        // upper case, as SQL Server and Oracle report them.
        return std::make_unique<OdbcStatement>(connection_, sql, parameters,
                                               dialect_ == Dialect::Postgres);
    }

private:
    static const OdbcHandle& with_odbc3(const OdbcHandle& environment) {
        environment.check(
            SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                          reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(SQL_OV_ODBC3)),
                          0),
            "selecting ODBC 3");
        return environment;
    }
    static OdbcHandle make_connection(const OdbcHandle& environment) {
        return OdbcHandle(SQL_HANDLE_DBC, with_odbc3(environment).get());
    }

    std::string dbms_name() const {
        std::array<SQLCHAR, 256> name{};
        SQLSMALLINT length = 0;
        connection_.check(SQLGetInfo(connection_.get(), SQL_DBMS_NAME, name.data(),
                                     static_cast<SQLSMALLINT>(name.size()), &length),
                          "asking the database name");
        return reinterpret_cast<const char*>(name.data());
    }

    OdbcHandle environment_;
    OdbcHandle connection_;
    bool connected_ = false;
    Dialect dialect_ = Dialect::Other;
};

}  // namespace

std::unique_ptr<Driver> open_odbc(const std::string& connection_string) {
    return std::make_unique<OdbcDriver>(connection_string);
}

}  // namespace tov::db
