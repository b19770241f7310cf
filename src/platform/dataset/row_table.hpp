#pragma once
// The rows of a packet, stored column by column (see column_cells.hpp). It reads like the list
// of rows it stands for: size, rows by number, iteration, push_back of a Row. A row read out of
// it is a view whose values come out as copies (and it converts to a Row), so no reference into
// the table can outlive the call that read it, and no edit of a copy seems to change the table.
// Readers, the current view and the dataset work on the cells directly and never build a Row.
//
// Rows normally have one value per column. A row pushed with fewer or more values keeps its own
// width (writers refuse it, as they always did), so a table stands for any list of rows.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "platform/dataset/column_cells.hpp"
#include "platform/dataset/packet_row.hpp"

namespace tov::dataset {

class RowTable {
public:
    // The values of one row. Every access gives a value, never a reference into the table, so
    // that nothing can be left pointing into a row put together for one call.
    class RowValues {
    public:
        RowValues(const RowTable& table, std::size_t row) : table_(&table), row_(row) {}
        std::size_t size() const { return table_->width(row_); }
        bool empty() const { return size() == 0; }
        const Value operator[](std::size_t column) const { return table_->cell(row_, column); }
        const Value at(std::size_t column) const;  // std::out_of_range past the row's width
        operator std::vector<Value>() const;       // the row as a list of values
        friend bool operator==(const RowValues& a, const std::vector<Value>& b) {
            return static_cast<std::vector<Value>>(a) == b;
        }

    private:
        const RowTable* table_;
        std::size_t row_;
    };

    // A row as the list of rows shows it: its status and its values.
    struct RowView {
        uint8_t status = 0;
        RowValues values;
        operator Row() const { return Row{status, values}; }  // a copy of the row
    };

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = RowView;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = const RowView;

        const_iterator(const RowTable& table, std::size_t row) : table_(&table), row_(row) {}
        const RowView operator*() const { return (*table_)[row_]; }
        const_iterator& operator++() {
            ++row_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++row_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return row_ == other.row_; }

    private:
        const RowTable* table_;
        std::size_t row_;
    };

    RowTable() = default;
    explicit RowTable(std::size_t columns);
    RowTable(std::initializer_list<Row> rows);
    RowTable(const std::vector<Row>& rows);  // a list of rows converts implicitly

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t columns() const { return columns_.size(); }
    // Room for the row bits of the columns known so far; values grow as they come.
    void reserve(std::size_t rows);
    void clear();

    void push_back(const Row& row);
    const RowView operator[](std::size_t row) const {
        return RowView{status(row), RowValues(*this, row)};
    }
    const RowView at(std::size_t row) const;  // std::out_of_range past the last row
    const RowView front() const { return (*this)[0]; }
    const RowView back() const { return (*this)[size_ - 1]; }
    const_iterator begin() const { return {*this, 0}; }
    const_iterator end() const { return {*this, size_}; }

    uint8_t status(std::size_t row) const { return statuses_.empty() ? 0 : statuses_[row]; }
    bool any_status() const { return !statuses_.empty(); }
    // The number of values of a row: the column count, unless the row was pushed otherwise.
    std::size_t width(std::size_t row) const {
        return widths_.empty() ? columns_.size() : widths_[row];
    }
    bool any_unchanged() const;
    const ColumnCells& column(std::size_t column) const { return columns_[column]; }
    // The value of a cell; Null{} past the row's width.
    Value cell(std::size_t row, std::size_t column) const;

    // Building a row cell by cell: begin_row, then exactly one append to every column.
    void begin_row(uint8_t status);
    ColumnCells& column_to_fill(std::size_t column) { return columns_[column]; }
    // Appends another table's row with the given status, cell by cell.
    void append_row_of(const RowTable& source, std::size_t row, uint8_t status);
    // Gives back the spare capacity of every column once the table is complete.
    void shrink_to_fit();

    std::size_t memory_bytes() const;

    friend bool operator==(const RowTable& a, const RowTable& b);

private:
    void set_status(std::size_t row, uint8_t status);
    void widen_to(std::size_t columns);
    void record_width(std::size_t width);

    std::vector<ColumnCells> columns_;
    std::vector<uint8_t> statuses_;  // empty while every row's status is 0
    std::vector<uint32_t> widths_;   // empty while every row has one value per column
    std::size_t size_ = 0;
};

}  // namespace tov::dataset
