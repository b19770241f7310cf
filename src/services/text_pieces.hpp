#pragma once
// A document's text cut into the pieces a fiscal register takes one call at a time.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tov::services {

// A management report goes over in pieces of whole lines of at least this many characters.
inline constexpr std::size_t management_report_piece_min = 500;
// The consumer statement goes over in pieces of at most this many characters.
inline constexpr std::size_t statement_piece_max = 620;

// Pieces of whole lines, each gathering lines (up to and including a line feed) until it holds
// at least min_size characters, so a line is never cut: only the last piece may be shorter, and
// only the last may end without a line feed. Every character goes over, in order.
std::vector<std::string> pieces_of_whole_lines_at_least(std::string_view text,
                                                        std::size_t min_size);

// Pieces of at most max_size characters, each ending right after the last line break that falls
// wholly inside it, so lines stay whole; only a line longer than a piece is cut, at max_size.
// Every character goes over, in order.
std::vector<std::string> pieces_of_at_most(std::string_view text, std::size_t max_size,
                                           std::string_view line_break);

}  // namespace tov::services
