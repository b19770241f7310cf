#pragma once
// The line layout a document prints with: the line width and the line-break sequence that closes
// every line.

#include <string>

#include "services/host_services.hpp"

namespace tov::services {

struct LineLayout {
    int width = 0;
    std::string line_break;
};

// The layout the printer configuration gives a printer kind. The font code, paper-cut sequence
// and coupon number it delivers with it are not used by the documents that call this.
inline LineLayout configured_line_layout(const HostServices& host, int kind, bool flag1,
                                         bool flag2) {
    LineLayout layout;
    int inTipoLetra = 0;
    std::string stCortaPapel;
    std::string stNrCupom;
    host.ConfiguraImpressora(kind, flag1, flag2, inTipoLetra, layout.width, layout.line_break,
                             stCortaPapel, stNrCupom);
    return layout;
}

}  // namespace tov::services
