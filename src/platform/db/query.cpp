#include "platform/db/query.hpp"

#include <algorithm>

#include "platform/db/named_parameters.hpp"
#include "platform/db/value_text.hpp"
#include "platform/errors/errors.hpp"
#include "platform/text/ansi_case.hpp"

namespace tov::db {

Query::Query(std::string name, Connection& connection, SqlStorage statement, bool enable_bcd)
    : name_(std::move(name)),
      connection_(connection),
      statement_(std::move(statement)),
      enable_bcd_(enable_bcd) {
    for (auto& parameter : distinct_names(to_positional(statement_.sql()).marker_names))
        parameters_.push_back({std::move(parameter), std::nullopt});
}

std::vector<std::string> Query::parameter_names() const {
    std::vector<std::string> names;
    for (const auto& parameter : parameters_) names.push_back(parameter.name);
    return names;
}

void Query::set_param(std::string_view parameter, std::string value) {
    auto found = std::find_if(parameters_.begin(), parameters_.end(), [&](const Parameter& p) {
        return text::ansi_same_text(p.name, parameter);
    });
    if (found == parameters_.end())
        throw DatabaseError("query " + name_ + ": no parameter '" + std::string(parameter) + "'");
    found->value = std::move(value);
}

void Query::close() {
    active_ = false;
    columns_.clear();
    rows_.clear();
    current_ = 0;
}

void Query::open() {
    close();
    try {
        Driver& driver = connection_.open();
        const SqlVariant& variant = statement_.for_dialect(driver.dialect());
        const PositionalStatement positional = to_positional(variant.sql);
        const auto statement = driver.execute(positional.sql, bind_values(positional.marker_names));
        resolve_columns(statement->columns(), variant);
        CellRow row;
        while (statement->fetch(row)) rows_.push_back(row);
    } catch (const Error& error) {
        close();
        throw DatabaseError("query " + name_ + ": " + error.what());
    }
    active_ = true;
}

std::vector<Cell> Query::bind_values(const std::vector<std::string>& marker_names) const {
    std::vector<Cell> values;
    for (const auto& marker : marker_names) {
        auto found = std::find_if(parameters_.begin(), parameters_.end(), [&](const Parameter& p) {
            return text::ansi_same_text(p.name, marker);
        });
        if (found == parameters_.end())
            throw DatabaseError("no parameter '" + marker + "' is declared");
        values.push_back(found->value);
    }
    return values;
}

void Query::resolve_columns(const std::vector<Column>& described, const SqlVariant& variant) {
    columns_ = described;
    for (Column& column : columns_) {
        if (column.kind == ColumnKind::Unknown) {
            auto declared = std::find_if(
                variant.declared_columns.begin(), variant.declared_columns.end(),
                [&](const Column& c) { return text::ansi_same_text(c.name, column.name); });
            if (declared != variant.declared_columns.end()) {
                column = Column{column.name, declared->kind, declared->size, declared->precision,
                                declared->scale};
            } else {
                column.kind = ColumnKind::Text;
            }
        }
        if (column.kind == ColumnKind::Decimal && !enable_bcd_) column.kind = ColumnKind::Floating;
    }
}

void Query::next() {
    if (!eof()) ++current_;
}

std::size_t Query::column_index(std::string_view column) const {
    auto found = std::find_if(columns_.begin(), columns_.end(), [&](const Column& c) {
        return text::ansi_same_text(c.name, column);
    });
    if (found == columns_.end()) throw FieldNotFound(std::string(column));
    return static_cast<std::size_t>(found - columns_.begin());
}

const Cell& Query::field(std::string_view column) const {
    if (!active_) throw DatabaseError("query " + name_ + ": not open");
    const std::size_t index = column_index(column);
    static const Cell no_value;  // an empty result reads as NULL, as with ADO
    return eof() ? no_value : rows_[current_][index];
}

double Query::field_as_double(std::string_view column) const {
    const Cell& value = field(column);
    return value ? number_from_text(*value) : 0.0;
}

std::string Query::field_as_string(std::string_view column) const {
    const Cell& value = field(column);
    return value ? *value : std::string();
}

}  // namespace tov::db
