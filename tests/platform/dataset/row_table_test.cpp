#include "platform/dataset/row_table.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tov::dataset {
namespace {

Bcd decimal(const char* text) {
    return Bcd::from_string(text);
}

// Every kind of value, NULL and not changed among them, in one row.
std::vector<Value> every_kind() {
    return {Null{},
            Unchanged{},
            int64_t{-7},
            int64_t{5'000'000'000},
            uint64_t{18'000'000'000'000'000'000u},
            true,
            2.5,
            decimal("-1234.5"),
            Date{739000},
            Time{3600000},
            Timestamp{739000 * ms_per_day},
            SqlTimestamp{2024, 2, 29, 13, 45, 30, 123, -3, 0},
            std::string("text with a \0 inside", 20),
            WideText{u"wide"}};
}

TEST(RowTable, GivesBackEveryValueAndStatusAsPushed) {
    const std::vector<Value> first = every_kind();
    std::vector<Value> second(first.rbegin(), first.rend());
    RowTable table;
    table.push_back(Row{row_status::modified, first});
    table.push_back(Row{0, second});
    table.push_back(Row{row_status::inserted, first});
    ASSERT_EQ(table.size(), 3u);
    // Columns whose rows hold values of different kinds keep each value as it is.
    EXPECT_EQ(static_cast<std::vector<Value>>(table[0].values), first);
    EXPECT_EQ(static_cast<std::vector<Value>>(table[1].values), second);
    EXPECT_EQ(static_cast<std::vector<Value>>(table[2].values), first);
    EXPECT_EQ(table[0].status, row_status::modified);
    EXPECT_EQ(table[1].status, 0);
    EXPECT_EQ(table.at(2).status, row_status::inserted);
    EXPECT_THROW(table.at(3), std::out_of_range);
}

TEST(RowTable, IntegersWidenWhenAValueOutgrowsThirtyTwoBits) {
    RowTable table;
    for (const int64_t value : {int64_t{1}, int64_t{-2'147'483'648}, int64_t{1} << 40, int64_t{3}})
        table.push_back(Row{0, {value, Null{}}});
    EXPECT_EQ(table[1].values[0], Value(int64_t{-2'147'483'648}));
    EXPECT_EQ(table[2].values[0], Value(int64_t{1} << 40));
    EXPECT_EQ(table[3].values[0], Value(int64_t{3}));
    EXPECT_EQ(table[3].values[1], Value(Null{}));
}

TEST(RowTable, RowsOfAnotherWidthKeepTheirOwn) {
    RowTable table;
    table.push_back(Row{});
    table.push_back(Row{0, {int64_t{1}, std::string("a")}});
    table.push_back(Row{0, {int64_t{2}}});
    EXPECT_EQ(table.width(0), 0u);
    EXPECT_EQ(table.width(1), 2u);
    EXPECT_EQ(table[2].values.size(), 1u);
    EXPECT_EQ(table[1].values[1], Value(std::string("a")));
    EXPECT_EQ(table,
              RowTable({Row{}, Row{0, {int64_t{1}, std::string("a")}}, Row{0, {int64_t{2}}}}));
    EXPECT_NE(table,
              RowTable({Row{}, Row{0, {int64_t{1}, std::string("b")}}, Row{0, {int64_t{2}}}}));
}

// Finding a value among NULLs goes through the rank of each block of rows: values placed across
// block and word boundaries come back from the right rows.
TEST(RowTable, ValuesAmongNullsAcrossBlocks) {
    RowTable table;
    for (int row = 0; row < 2000; ++row) {
        const bool present = row % 7 == 0 || row == 63 || row == 64 || row == 255 || row == 256;
        table.push_back(Row{0, {present ? Value(std::to_string(row)) : Value(Null{})}});
    }
    for (int row = 0; row < 2000; ++row) {
        const bool present = row % 7 == 0 || row == 63 || row == 64 || row == 255 || row == 256;
        ASSERT_EQ(table.cell(row, 0), present ? Value(std::to_string(row)) : Value(Null{})) << row;
        ASSERT_EQ(table.column(0).text(row).has_value(), present) << row;
    }
}

// NULL cells among values cost about a bit; a column with no value at all, next to nothing.
TEST(RowTable, NullCellsCostAboutABit) {
    constexpr std::size_t rows = 100000;
    RowTable sparse(2);
    for (std::size_t row = 0; row < rows; ++row) {
        sparse.begin_row(0);
        sparse.column_to_fill(0).append_null();
        if (row % 100 == 0) {
            sparse.column_to_fill(1).append(Value(static_cast<int64_t>(row)));
        } else {
            sparse.column_to_fill(1).append_null();
        }
    }
    sparse.shrink_to_fit();
    EXPECT_EQ(sparse.cell(rows - 100, 1), Value(static_cast<int64_t>(rows - 100)));
    const double bits_per_row = 8.0 * static_cast<double>(sparse.memory_bytes()) / rows;
    EXPECT_LT(bits_per_row, 1.6);  // 1 + 1/8 for the ranks + 32 bits per hundred rows

    RowTable integers(1);
    for (std::size_t row = 0; row < rows; ++row)
        integers.push_back(Row{0, {static_cast<int64_t>(row)}});
    integers.shrink_to_fit();
    EXPECT_LT(static_cast<double>(integers.memory_bytes()) / rows, 4.1);  // 32-bit values
}

TEST(RowTable, CopiedRowsKeepTheirCellStates) {
    const RowTable source(
        {Row{1, {Unchanged{}, std::string("x"), Null{}}}, Row{0, {int64_t{4}, Null{}, 1.5}}});
    RowTable copy(3);
    copy.append_row_of(source, 1, 8);
    copy.append_row_of(source, 0, 0);
    EXPECT_EQ(copy, RowTable({Row{8, {int64_t{4}, Null{}, 1.5}},
                              Row{0, {Unchanged{}, std::string("x"), Null{}}}}));
    EXPECT_TRUE(copy.any_unchanged());
}

}  // namespace
}  // namespace tov::dataset
