#include "services/text_pieces.hpp"

namespace tov::services {
namespace {

// The front of the text up to and including its first line feed, or all of it when it holds none.
std::string_view next_line(std::string_view text) {
    const auto line_feed = text.find('\n');
    return line_feed == std::string_view::npos ? text : text.substr(0, line_feed + 1);
}

// How much of the text the next piece of at most max_size takes.
std::size_t next_piece_size(std::string_view text, std::size_t max_size,
                            std::string_view line_break) {
    if (text.size() <= max_size) return text.size();
    const std::string_view window = text.substr(0, max_size);
    const auto last_break = line_break.empty() ? std::string_view::npos : window.rfind(line_break);
    if (last_break == std::string_view::npos) return max_size;
    return last_break + line_break.size();
}

}  // namespace

std::vector<std::string> pieces_of_whole_lines_at_least(std::string_view text,
                                                        std::size_t min_size) {
    std::vector<std::string> pieces;
    while (!text.empty()) {
        std::string piece;
        while (piece.size() < min_size && !text.empty()) {
            const auto line = next_line(text);
            piece.append(line);
            text.remove_prefix(line.size());
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

std::vector<std::string> pieces_of_at_most(std::string_view text, std::size_t max_size,
                                           std::string_view line_break) {
    std::vector<std::string> pieces;
    while (!text.empty()) {
        const std::size_t size = next_piece_size(text, max_size, line_break);
        pieces.emplace_back(text.substr(0, size));
        text.remove_prefix(size);
    }
    return pieces;
}

}  // namespace tov::services
