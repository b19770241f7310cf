#include "documents/cupom_troca_command.hpp"

#include <array>

#include "documents/request_object.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "Cupom_Troca_Tov00000";

DocumentCall cupom_troca_call(CupomTrocaRequest request, std::string packet) {
    return [request = std::move(request), packet = std::move(packet)](PackageSession& package) {
        const auto print = package.function<decltype(&Cupom_Troca_Tov00000)>(export_name);
        int32_t result = 0;
        package.check(
            print(request.IdTipoImpFis, packet.data(), packet.size(), request.stEsquemaCor.c_str(),
                  request.stCdFilial.c_str(), request.stCdCaixa.c_str(),
                  request.stNmConsumidor.c_str(), request.stCpfCnpjCon.c_str(),
                  request.stTipVen.c_str(), request.doNrDias, &result),
            export_name);
        return answered(result != 0);
    };
}

DocumentCall cupom_troca_from_request(std::string_view json_text, const std::string& origin,
                                      const PacketFiles& packets) {
    CupomTrocaRequest request = parse_cupom_troca_request(json_text, origin);
    std::string packet = packets(request.oleProdutos);
    return cupom_troca_call(std::move(request), std::move(packet));
}

constexpr std::array demo{
    DemoEntry{"Exchange coupon, fiscal register", "cupom_troca.json"},
};

}  // namespace

CupomTrocaRequest parse_cupom_troca_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    CupomTrocaRequest arguments;
    arguments.IdTipoImpFis = request.integer("IdTipoImpFis");
    arguments.oleProdutos = request.packet("oleProdutos");
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

constexpr DocumentCommand cupom_troca_command{"cupom_troca", export_name, cupom_troca_from_request,
                                              demo};

}  // namespace tovprint
