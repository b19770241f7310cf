#include "bill/printer_setup.hpp"

#include <string>

namespace tov::bill {

services::LineLayout bill_layout(const services::DocumentContext& context, int IdTipoImp,
                                 bool boImprimeFiscal) {
    services::LineLayout layout =
        services::configure_printer(context.host, IdTipoImp, false, boImprimeFiscal).layout;
    context.backend.AjustaImpressaoDireta(std::to_string(IdTipoImp), layout.width);
    services::checked_line_width(
        layout.width,
        services::service_of_kind("ConfiguraImpressora and AjustaImpressaoDireta", IdTipoImp));
    return layout;
}

}  // namespace tov::bill
