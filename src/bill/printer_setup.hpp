#pragma once
// The bill's line layout: the printer configuration gives the line width and line break of the
// printer kind, and the back-end's AjustaImpressaoDireta may then change the width.

#include "services/document_context.hpp"
#include "services/line_layout.hpp"

namespace tov::bill {

services::LineLayout bill_layout(const services::DocumentContext& context, int IdTipoImp,
                                 bool boImprimeFiscal);

}  // namespace tov::bill
