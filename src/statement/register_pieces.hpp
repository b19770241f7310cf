#pragma once
// The fiscal register takes the statement's text in pieces of at most 620 characters. Every
// character goes over, in order: a piece ends right after the last line break that falls
// wholly inside it, so lines stay whole; only a line longer than a piece is cut, at 620.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tov::statement {

inline constexpr std::size_t register_piece_size = 620;

std::vector<std::string> register_pieces(std::string_view text, std::string_view line_break);

}  // namespace tov::statement
