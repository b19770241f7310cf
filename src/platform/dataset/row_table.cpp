#include "platform/dataset/row_table.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tov::dataset {

RowTable::RowTable(std::size_t columns) : columns_(columns) {}

RowTable::RowTable(std::initializer_list<Row> rows) {
    for (const Row& row : rows) push_back(row);
}

RowTable::RowTable(const std::vector<Row>& rows) {
    for (const Row& row : rows) push_back(row);
}

void RowTable::reserve(std::size_t rows) {
    for (ColumnCells& column : columns_) column.reserve(rows);
}

void RowTable::clear() {
    *this = RowTable();
}

bool RowTable::any_unchanged() const {
    return std::any_of(columns_.begin(), columns_.end(),
                       [](const ColumnCells& column) { return column.has_unchanged(); });
}

void RowTable::push_back(const Row& row) {
    if (size_ == 0 && columns_.empty()) columns_.resize(row.values.size());
    widen_to(row.values.size());
    begin_row(row.status);
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        if (column < row.values.size()) {
            columns_[column].append(row.values[column]);
        } else {
            columns_[column].append_null();
        }
    }
    record_width(row.values.size());
}

const Value RowTable::RowValues::at(std::size_t column) const {
    if (column >= size()) {
        throw std::out_of_range("column " + std::to_string(column) + " of " +
                                std::to_string(size()));
    }
    return (*this)[column];
}

RowTable::RowValues::operator std::vector<Value>() const {
    std::vector<Value> values;
    values.reserve(size());
    for (std::size_t column = 0; column < size(); ++column) values.push_back((*this)[column]);
    return values;
}

const RowTable::RowView RowTable::at(std::size_t row) const {
    if (row >= size_) {
        throw std::out_of_range("row " + std::to_string(row) + " of " + std::to_string(size_));
    }
    return (*this)[row];
}

Value RowTable::cell(std::size_t row, std::size_t column) const {
    if (column >= width(row)) return Null{};
    return columns_[column].value(row);
}

void RowTable::begin_row(uint8_t status) {
    set_status(size_, status);
    if (!widths_.empty()) widths_.push_back(static_cast<uint32_t>(columns_.size()));
    ++size_;
}

void RowTable::append_row_of(const RowTable& source, std::size_t row, uint8_t status) {
    if (size_ == 0 && columns_.empty()) columns_.resize(source.columns());
    const std::size_t count = source.width(row);
    widen_to(count);
    begin_row(status);
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        if (column < count) {
            columns_[column].append_copy(source.columns_[column], row);
        } else {
            columns_[column].append_null();
        }
    }
    record_width(count);
}

void RowTable::shrink_to_fit() {
    for (ColumnCells& column : columns_) column.shrink_to_fit();
    statuses_.shrink_to_fit();
    widths_.shrink_to_fit();
}

std::size_t RowTable::memory_bytes() const {
    std::size_t bytes = sizeof(*this) + statuses_.capacity() +
                        widths_.capacity() * sizeof(uint32_t) +
                        (columns_.capacity() - columns_.size()) * sizeof(ColumnCells);
    for (const ColumnCells& column : columns_) bytes += column.memory_bytes();
    return bytes;
}

bool operator==(const RowTable& a, const RowTable& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t row = 0; row < a.size(); ++row) {
        if (a.status(row) != b.status(row) || a.width(row) != b.width(row)) return false;
        for (std::size_t column = 0; column < a.width(row); ++column) {
            if (a.columns_[column].value(row) != b.columns_[column].value(row)) return false;
        }
    }
    return true;
}

void RowTable::set_status(std::size_t row, uint8_t status) {
    if (status == 0 && statuses_.empty()) return;
    if (statuses_.empty()) statuses_.assign(size_, 0);
    if (row == statuses_.size()) {
        statuses_.push_back(status);
    } else {
        statuses_[row] = status;
    }
}

// A row wider than the table so far: new columns, NULL in the rows before it.
void RowTable::widen_to(std::size_t columns) {
    if (columns <= columns_.size()) return;
    if (widths_.empty() && size_ > 0) widths_.assign(size_, static_cast<uint32_t>(columns_.size()));
    const std::size_t first_new = columns_.size();
    columns_.resize(columns);
    for (std::size_t column = first_new; column < columns; ++column) {
        for (std::size_t row = 0; row < size_; ++row) columns_[column].append_null();
    }
}

// The width of the row just added, when it is not the table's column count.
void RowTable::record_width(std::size_t width) {
    if (width == columns_.size() && widths_.empty()) return;
    if (widths_.empty()) widths_.assign(size_, static_cast<uint32_t>(columns_.size()));
    widths_.back() = static_cast<uint32_t>(width);
}

}  // namespace tov::dataset
