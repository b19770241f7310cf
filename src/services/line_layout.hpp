#pragma once
// The line layout a document prints with: the line width and the line-break sequence that closes
// every line; and what the printer configuration delivers along with it for a printer kind.

#include <cstddef>
#include <string>
#include <string_view>

#include "services/host_services.hpp"

namespace tov::services {

struct LineLayout {
    int width = 0;
    std::string line_break;
};

// Everything ConfiguraImpressora fills for a printer kind. Documents use the layout; the font
// code and paper-cut sequence are delivered but printed by none; the coupon number is the one
// the configuration leaves in the variable it was handed.
struct PrinterConfiguration {
    int inTipoLetra = 0;
    LineLayout layout;
    std::string stCortaPapel;
    std::string stNrCupom;
};

// The widths and lengths a printer configuration may deliver. Line widths reach the centring
// helper as a byte, and a width beyond it would make every rule and blank line of a document as
// long as the host said; control sequences are a few bytes on every printer.
inline constexpr int min_line_width = 1;
inline constexpr int max_line_width = 255;
inline constexpr std::size_t max_line_break_size = 16;
inline constexpr std::size_t max_paper_cut_size = 64;

// The width, when it lies within min_line_width..max_line_width; otherwise throws
// tov::ArgumentError naming the service that delivered it and the value.
int checked_line_width(int width, std::string_view service);

// Asks the host's printer configuration for the kind, handing it stNrCupom to read and change.
// A line break or paper cut longer than the limits above throws tov::ArgumentError naming
// ConfiguraImpressora, the printer kind and the length. The width is the caller's to check with
// checked_line_width, once it is the width the document prints with.
PrinterConfiguration configure_printer(const HostServices& host, int kind, bool flag1, bool flag2,
                                       std::string stNrCupom = {});

// How a failed width check names the service: "ConfiguraImpressora (printer kind 5)".
std::string service_of_kind(std::string_view service, int kind);

// A plain printer's fixed layout: the width given, carriage return and line feed.
LineLayout plain_printer_layout(int width);

}  // namespace tov::services
