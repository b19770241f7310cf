#include "vendedor_request.hpp"

#include "request_object.hpp"

namespace tovprint {

VendedorRequest parse_vendedor_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    VendedorRequest arguments;
    arguments.stCdFilial = request.text("stCdFilial");
    arguments.stNmFilial = request.text("stNmFilial");
    arguments.stCdCaixa = request.text("stCdCaixa");
    arguments.stNmCaixa = request.text("stNmCaixa");
    arguments.stEsquemaCor = request.text("stEsquemaCor");
    arguments.stCdPortImpNF = request.text("stCdPortImpNF");
    arguments.stIdTipoImpNF = request.text("stIdTipoImpNF");
    arguments.P_VENDASVENDEDOR = request.path("P_VENDASVENDEDOR");
    arguments.boUtilizaImpFis = request.boolean("boUtilizaImpFis");
    arguments.IdTipoImpFis = request.integer("IdTipoImpFis");
    arguments.doVrTotGeral = request.number("doVrTotGeral");
    request.reject_unknown_keys();
    return arguments;
}

}  // namespace tovprint
