#include "services/line_layout.hpp"

#include <utility>

namespace tov::services {

PrinterConfiguration configure_printer(const HostServices& host, int kind, bool flag1, bool flag2,
                                       std::string stNrCupom) {
    PrinterConfiguration configuration;
    configuration.stNrCupom = std::move(stNrCupom);
    host.ConfiguraImpressora(kind, flag1, flag2, configuration.inTipoLetra,
                             configuration.layout.width, configuration.layout.line_break,
                             configuration.stCortaPapel, configuration.stNrCupom);
    return configuration;
}

LineLayout plain_printer_layout(int width) { return LineLayout{width, "\r\n"}; }

}  // namespace tov::services
