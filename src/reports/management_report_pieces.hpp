#pragma once
// A management report goes to the fiscal register in pieces of whole lines: each piece gathers
// lines until it holds at least 500 characters, so the register never receives a cut line. Only
// the last piece may be shorter, and only the last may end without a line feed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tov::reports {

inline constexpr std::size_t management_piece_size = 500;

std::vector<std::string> management_report_pieces(std::string_view text);

}  // namespace tov::reports
