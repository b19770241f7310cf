#include "bill/printer_setup.hpp"

#include <string>

namespace tov::bill {

services::LineLayout bill_layout(const services::DocumentContext& context, int IdTipoImp,
                                 bool boImprimeFiscal) {
    services::LineLayout layout = context.configured_line_layout(IdTipoImp, false, boImprimeFiscal);
    context.backend.AjustaImpressaoDireta(std::to_string(IdTipoImp), layout.width);
    return layout;
}

}  // namespace tov::bill
