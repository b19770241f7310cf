#include "platform/dataset/column_cells.hpp"

#include <bit>

namespace tov::dataset {

CellState ColumnCells::state(std::size_t row) const {
    if (has_value(row)) return CellState::Value;
    return bit(unchanged_, row) ? CellState::Unchanged : CellState::Null;
}

Value ColumnCells::value(std::size_t row) const {
    switch (state(row)) {
        case CellState::Value:
            return values_.at(value_index(row));
        case CellState::Unchanged:
            return Unchanged{};
        case CellState::Null:
            break;
    }
    return Null{};
}

std::optional<std::string_view> ColumnCells::text(std::size_t row) const {
    if (!has_value(row)) return std::nullopt;
    return values_.text_at(value_index(row));
}

std::size_t ColumnCells::value_index(std::size_t row) const {
    if (stored_ == size_) return row;  // every row holds a value
    const std::size_t word = row / word_bits;
    std::size_t index = rank_[row / block_rows];
    for (std::size_t w = word - word % words_per_block; w < word; ++w)
        index += static_cast<std::size_t>(std::popcount(present_[w]));
    const uint64_t below = (uint64_t{1} << (row % word_bits)) - 1;
    return index + static_cast<std::size_t>(std::popcount(present_[word] & below));
}

void ColumnCells::start_bits() {
    const bool all_present = stored_ != 0;
    present_.assign(words_for(size_), all_present ? ~uint64_t{0} : 0);
    if (all_present && size_ % word_bits != 0)
        present_.back() = (uint64_t{1} << (size_ % word_bits)) - 1;
    rank_.clear();
    for (std::size_t block = 0; block * block_rows < size_; ++block) {
        rank_.push_back(all_present ? static_cast<uint32_t>(block * block_rows) : 0);
    }
}

void ColumnCells::append_row(bool present) {
    if (!mixed()) {
        const bool uniform = present ? stored_ == size_ : stored_ == 0;
        if (uniform) {
            stored_ += present ? 1 : 0;
            ++size_;
            return;
        }
        start_bits();
    }
    if (size_ % block_rows == 0) rank_.push_back(static_cast<uint32_t>(stored_));
    if (size_ % word_bits == 0) present_.push_back(0);
    if (present) {
        present_.back() |= uint64_t{1} << (size_ % word_bits);
        ++stored_;
    }
    ++size_;
}

void ColumnCells::mark_unchanged(std::size_t row) {
    if (unchanged_.size() < words_for(row + 1)) unchanged_.resize(words_for(row + 1), 0);
    unchanged_[row / word_bits] |= uint64_t{1} << (row % word_bits);
}

void ColumnCells::append(const Value& value) {
    if (std::holds_alternative<Null>(value)) return append_null();
    if (std::holds_alternative<Unchanged>(value)) return append_unchanged();
    values_.push_back(value);
    append_row(true);
}

void ColumnCells::append_text(std::string_view bytes) {
    values_.push_text(bytes);
    append_row(true);
}

void ColumnCells::append_null() {
    append_row(false);
}

void ColumnCells::append_unchanged() {
    append_row(false);
    mark_unchanged(size_ - 1);
}

void ColumnCells::append_copy(const ColumnCells& source, std::size_t row) {
    switch (source.state(row)) {
        case CellState::Value:
            values_.push_copy(source.values_, source.value_index(row));
            append_row(true);
            return;
        case CellState::Unchanged:
            return append_unchanged();
        case CellState::Null:
            return append_null();
    }
}

void ColumnCells::reserve(std::size_t rows) {
    if (!mixed()) return;
    present_.reserve(words_for(rows));
    rank_.reserve((rows + block_rows - 1) / block_rows);
}

void ColumnCells::shrink_to_fit() {
    present_.shrink_to_fit();
    unchanged_.shrink_to_fit();
    rank_.shrink_to_fit();
    values_.shrink_to_fit();
}

std::size_t ColumnCells::memory_bytes() const {
    return sizeof(*this) + (present_.capacity() + unchanged_.capacity()) * sizeof(uint64_t) +
           rank_.capacity() * sizeof(uint32_t) + values_.memory_bytes();
}

}  // namespace tov::dataset
