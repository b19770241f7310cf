#pragma once
// Index definitions of the client dataset and the row order they give.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/packet.hpp"
#include "platform/dataset/row_table.hpp"

namespace tov::dataset {

struct IndexOptions {
    bool case_insensitive = false;  // text keys compare without regard to case
    bool descending = false;        // every key in descending order
};

struct IndexDef {
    std::string name;
    std::string fields;  // "FIELD1;FIELD2"
    IndexOptions options;
};

// The field numbers of a list "A;B" (blanks around names ignored). Throws FieldNotFound for a
// name the fields do not hold and DatasetError for an empty list or an empty name.
std::vector<int> index_field_numbers(const std::vector<Field>& fields, std::string_view field_list);

// rows (numbers into storage) sorted by the index. Equal keys keep their given order. NULL sorts
// before every value; text compares byte by byte, or ignoring case with the option; numbers,
// date-times and Booleans by value.
void sort_rows(std::vector<uint32_t>& rows, const RowTable& storage,
               const std::vector<Field>& fields, const IndexDef& index);

}  // namespace tov::dataset
