#include "reports/management_report_pieces.hpp"

#include <utility>

namespace tov::reports {
namespace {

// The front of the text up to and including its first line feed, or all of it when it holds none.
std::string_view next_line(std::string_view text) {
    const auto line_feed = text.find('\n');
    return line_feed == std::string_view::npos ? text : text.substr(0, line_feed + 1);
}

}  // namespace

std::vector<std::string> management_report_pieces(std::string_view text) {
    std::vector<std::string> pieces;
    while (!text.empty()) {
        std::string piece;
        while (piece.size() < management_piece_size && !text.empty()) {
            const auto line = next_line(text);
            piece.append(line);
            text.remove_prefix(line.size());
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

}  // namespace tov::reports
