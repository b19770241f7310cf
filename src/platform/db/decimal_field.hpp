#pragma once
// The packet field of a decimal column. A column with a declared scale is a BCD of its declared
// precision (32 digits when it declares none) and scale. A column without one
// (undeclared_scale) rounds nothing, so its field is sized to its values instead: a BCD with as
// many decimals as the value with the most, and as many digits as it takes to hold every value
// whole. Only when a value has more digits than a BCD holds (32) is the field FLOAT, and only if
// every value is exactly a double, as SQLite's are; otherwise it stays a BCD and the value that
// does not fit is the provider's conversion error.

#include <cstddef>

#include "platform/dataset/packet.hpp"
#include "platform/db/query.hpp"

namespace tov::db {

inline constexpr int max_bcd_precision = 32;

dataset::Field decimal_field(const Query& query, std::size_t column);

}  // namespace tov::db
