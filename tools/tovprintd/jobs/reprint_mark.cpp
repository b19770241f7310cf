#include "jobs/reprint_mark.hpp"

#include <array>

namespace tovprintd {
namespace {

// Words only the Spanish bill prints (the package's wording for stores in Colombia).
constexpr std::array<std::string_view, 3> spanish_bill_words{"SEGUIMIENTO DE PEDIDO",
                                                             "Mozo   :", "Duracion de la estancia"};

std::string_view line_end_of(std::string_view text) {
    const auto feed = text.find('\n');
    if (feed != std::string_view::npos && feed > 0 && text[feed - 1] == '\r') return "\r\n";
    return "\n";
}

}  // namespace

std::string document_language(std::string_view first_paper) {
    for (const std::string_view word : spanish_bill_words) {
        if (first_paper.find(word) != std::string_view::npos) return std::string(spanish);
    }
    return std::string(portuguese);
}

std::string marked_as_reprint(std::string_view paper_text, std::string_view language) {
    const std::string_view mark =
        language == spanish ? "*** REIMPRESION ***" : "*** REIMPRESSAO ***";
    std::string marked(mark);
    marked += line_end_of(paper_text);
    marked += paper_text;
    return marked;
}

}  // namespace tovprintd
