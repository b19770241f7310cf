#include "reports/paf_line_layout.hpp"

#include <algorithm>
#include <array>

namespace tov::reports {
namespace {

constexpr std::array forty_eight_column_kinds{1,  2,  14, 18, 19, 20, 21, 22, 23,
                                              24, 27, 29, 31, 32, 33, 42, 45};
constexpr std::array fifty_seven_column_kinds{3, 4, 5, 6, 17, 25};
constexpr int forty_six_column_kind = 28;

constexpr const char* line_feed = "\n";
constexpr const char* line_feed_carriage_return = "\n\r";  // in this order on these models

template <std::size_t N>
bool listed(const std::array<int, N>& kinds, int printer_kind) {
    return std::find(kinds.begin(), kinds.end(), printer_kind) != kinds.end();
}

}  // namespace

services::LineLayout paf_line_layout(int printer_kind) {
    if (listed(forty_eight_column_kinds, printer_kind)) return {48, line_feed};
    if (listed(fifty_seven_column_kinds, printer_kind)) return {57, line_feed_carriage_return};
    if (printer_kind == forty_six_column_kind) return {46, line_feed};
    return {38, line_feed};
}

}  // namespace tov::reports
