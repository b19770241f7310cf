#include "payment_means_request.hpp"

#include "request_object.hpp"

namespace tovprint {

PaymentMeansRequest parse_payment_means_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    PaymentMeansRequest arguments;
    arguments.IdTipoImpFis = request.integer("IdTipoImpFis");
    arguments.stCdFilial = request.text("stCdFilial");
    arguments.stCdCaixa = request.text("stCdCaixa");
    arguments.stEsquemaCor = request.text("stEsquemaCor");
    arguments.stNrSerie = request.text("stNrSerie");
    arguments.stMeiosPgto = request.text("stMeiosPgto");
    arguments.oleTipoRece = request.path("oleTipoRece");
    arguments.stDataIni = request.text("stDataIni");
    arguments.stDataFin = request.text("stDataFin");
    request.reject_unknown_keys();
    return arguments;
}

}  // namespace tovprint
