#pragma once
// What a driver tells about a result column, and one cell of a fetched row. Drivers hand every
// value over as text in a fixed form ("-1234.5", "2024-03-05 10:15:00"); the query converts it
// when it is read.

#include <optional>
#include <string>
#include <vector>

namespace tov::db {

enum class ColumnKind {
    Unknown,  // an expression whose type the driver cannot tell (SQLite)
    Text,
    Integer,
    Floating,
    Decimal,  // fixed-point: precision and scale
    DateTime,
};

struct Column {
    std::string name;
    ColumnKind kind = ColumnKind::Unknown;
    int size = 0;       // characters of a text, bytes of an integer (2, 4 or 8); 0 if not known
    int precision = 0;  // digits of a decimal; 0 when the type declares none
    int scale = 0;      // decimals of a decimal, or undeclared_scale
};

// The scale of a decimal whose type declares none (SQLite's NUMERIC, DECIMAL(10), MONEY). Such a
// column rounds nothing: each value keeps the digits it was stored with, and the provider sizes
// the packet field to them.
inline constexpr int undeclared_scale = -1;

// A value as text, or no value for NULL.
using Cell = std::optional<std::string>;
using CellRow = std::vector<Cell>;

}  // namespace tov::db
