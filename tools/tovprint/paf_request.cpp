#include "paf_request.hpp"

#include "request_object.hpp"

namespace tovprint {

PafRequest parse_paf_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    PafRequest arguments;
    arguments.stCdFilial = request.text("stCdFilial");
    arguments.stCdCaixa = request.text("stCdCaixa");
    arguments.stEsquemaCor = request.text("stEsquemaCor");
    arguments.oleDadosPaf = request.path("oleDadosPaf");
    arguments.oleBuscaNrSerieEcf = request.path("oleBuscaNrSerieEcf");
    arguments.stNrSerie = request.text("stNrSerie");
    arguments.IdTipoImpFis = request.integer("IdTipoImpFis");
    arguments.stIndice = request.text("stIndice");
    request.reject_unknown_keys();
    return arguments;
}

}  // namespace tovprint
