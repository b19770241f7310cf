#pragma once
// The cells of one column of a row table: for each row whether it holds a value, is NULL or is
// "not changed" (a change-log version that keeps the value of the version it replaces), and the
// values of the rows that hold one, packed by type.
//
// A column whose rows all hold a value, or none does, keeps no bits at all. Once it mixes them, a
// NULL or not-changed cell costs one bit and an eighth more for the rank directory (the number of
// values before each block of rows, so that finding a row's value takes a few word counts): a
// packet of thousands of fields and mostly empty rows takes memory in proportion to its bytes.
// The not-changed bits exist only in a column that has such a cell.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/dataset/packed_values.hpp"
#include "platform/dataset/packet_row.hpp"

namespace tov::dataset {

enum class CellState : uint8_t { Value, Null, Unchanged };

class ColumnCells {
public:
    std::size_t size() const { return size_; }
    CellState state(std::size_t row) const;
    bool has_value(std::size_t row) const {
        return mixed() ? bit(present_, row) : stored_ != 0 && row < size_;
    }
    bool has_unchanged() const { return !unchanged_.empty(); }
    // Null{}, Unchanged{} or the value.
    Value value(std::size_t row) const;
    // The 8-bit text of a row without a copy; nothing for a row without a text value.
    std::optional<std::string_view> text(std::size_t row) const;

    void append(const Value& value);
    void append_text(std::string_view bytes);
    void append_null();
    void append_unchanged();
    // Appends the cell of another column's row, keeping its state.
    void append_copy(const ColumnCells& source, std::size_t row);
    void reserve(std::size_t rows);
    void shrink_to_fit();

    std::size_t memory_bytes() const;

private:
    static constexpr std::size_t word_bits = 64;
    static constexpr std::size_t words_per_block = 4;
    static constexpr std::size_t block_rows = word_bits * words_per_block;

    static std::size_t words_for(std::size_t rows) { return (rows + word_bits - 1) / word_bits; }
    static bool bit(const std::vector<uint64_t>& words, std::size_t row) {
        const std::size_t word = row / word_bits;
        return word < words.size() && ((words[word] >> (row % word_bits)) & 1U) != 0;
    }
    // Rows with and without values: the bits and ranks exist.
    bool mixed() const { return !present_.empty(); }
    // The index among the packed values of a row that holds one.
    std::size_t value_index(std::size_t row) const;
    void append_row(bool present);
    // The bits and ranks of the rows so far, all with values or all without.
    void start_bits();
    void mark_unchanged(std::size_t row);

    std::vector<uint64_t> present_;    // one bit per row, the row holds a value; empty unless mixed
    std::vector<uint64_t> unchanged_;  // one bit per row, only once a row is not changed
    std::vector<uint32_t> rank_;       // values before each block of block_rows rows, when mixed
    std::size_t size_ = 0;
    std::size_t stored_ = 0;
    PackedValues values_;
};

}  // namespace tov::dataset
