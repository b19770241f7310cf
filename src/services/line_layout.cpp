#include "services/line_layout.hpp"

#include <utility>

#include "platform/errors/errors.hpp"

namespace tov::services {
namespace {

void check_sequence_size(std::string_view sequence, std::size_t limit, std::string_view what,
                         int kind) {
    if (sequence.size() <= limit) return;
    throw ArgumentError("ConfiguraImpressora: the " + std::string(what) + " of printer kind " +
                        std::to_string(kind) + " holds " + std::to_string(sequence.size()) +
                        " bytes; at most " + std::to_string(limit) + " are allowed");
}

}  // namespace

int checked_line_width(int width, std::string_view service) {
    if (width >= min_line_width && width <= max_line_width) return width;
    throw ArgumentError(std::string(service) + ": a line width of " + std::to_string(width) +
                        " characters; it must lie within " + std::to_string(min_line_width) +
                        " to " + std::to_string(max_line_width));
}

PrinterConfiguration configure_printer(const HostServices& host, int kind, bool flag1, bool flag2,
                                       std::string stNrCupom) {
    PrinterConfiguration configuration;
    configuration.stNrCupom = std::move(stNrCupom);
    host.ConfiguraImpressora(kind, flag1, flag2, configuration.inTipoLetra,
                             configuration.layout.width, configuration.layout.line_break,
                             configuration.stCortaPapel, configuration.stNrCupom);
    checked_line_width(configuration.layout.width,
                       "ConfiguraImpressora (printer kind " + std::to_string(kind) + ")");
    check_sequence_size(configuration.layout.line_break, max_line_break_size, "line break", kind);
    check_sequence_size(configuration.stCortaPapel, max_paper_cut_size, "paper cut", kind);
    return configuration;
}

LineLayout plain_printer_layout(int width) {
    return LineLayout{width, "\r\n"};
}

}  // namespace tov::services
