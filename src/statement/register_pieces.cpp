#include "statement/register_pieces.hpp"

namespace tov::statement {
namespace {

// How much of the text the next piece takes.
std::size_t next_piece_size(std::string_view text, std::string_view line_break) {
    if (text.size() <= register_piece_size) return text.size();
    const std::string_view window = text.substr(0, register_piece_size);
    const auto last_break = line_break.empty() ? std::string_view::npos : window.rfind(line_break);
    if (last_break == std::string_view::npos) return register_piece_size;
    return last_break + line_break.size();
}

}  // namespace

std::vector<std::string> register_pieces(std::string_view text, std::string_view line_break) {
    std::vector<std::string> pieces;
    while (!text.empty()) {
        const std::size_t size = next_piece_size(text, line_break);
        pieces.emplace_back(text.substr(0, size));
        text.remove_prefix(size);
    }
    return pieces;
}

}  // namespace tov::statement
