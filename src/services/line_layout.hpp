#pragma once
// The line layout a document prints with: the line width and the line-break sequence that closes
// every line; and what the printer configuration delivers along with it for a printer kind.

#include <string>

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

// Asks the host's printer configuration for the kind, handing it stNrCupom to read and change.
PrinterConfiguration configure_printer(const HostServices& host, int kind, bool flag1, bool flag2,
                                       std::string stNrCupom = {});

// A plain printer's fixed layout: the width given, carriage return and line feed.
LineLayout plain_printer_layout(int width);

}  // namespace tov::services
