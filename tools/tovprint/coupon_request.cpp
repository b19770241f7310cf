#include "coupon_request.hpp"

#include "request_object.hpp"

namespace tovprint {

CouponRequest parse_coupon_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    CouponRequest arguments;
    arguments.IdTipoImpFis = request.integer("IdTipoImpFis");
    arguments.oleProdutos = request.path("oleProdutos");
    arguments.stEsquemaCor = request.text("stEsquemaCor");
    arguments.stCdFilial = request.text("stCdFilial");
    arguments.stCdCaixa = request.text("stCdCaixa");
    arguments.stNmConsumidor = request.text("stNmConsumidor");
    arguments.stCpfCnpjCon = request.text("stCpfCnpjCon");
    arguments.stTipVen = request.text("stTipVen");
    arguments.doNrDias = request.number("doNrDias");
    request.reject_unknown_keys();
    return arguments;
}

}  // namespace tovprint
