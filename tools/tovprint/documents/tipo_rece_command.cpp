#include "documents/tipo_rece_command.hpp"

#include <array>

#include "documents/request_object.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "imprimeTipoRece_Tov00000";

DocumentCall tipo_rece_call(TipoReceRequest request, std::string packet) {
    return [request = std::move(request), packet = std::move(packet)](PackageSession& package) {
        const auto print = package.function<decltype(&imprimeTipoRece_Tov00000)>(export_name);
        package.check(print(request.IdTipoImpFis, request.stCdFilial.c_str(),
                            request.stCdCaixa.c_str(), request.stEsquemaCor.c_str(),
                            request.stNrSerie.c_str(), request.stMeiosPgto.c_str(), packet.data(),
                            packet.size(), request.stDataIni.c_str(), request.stDataFin.c_str()),
                      export_name);
        return answered(true);
    };
}

DocumentCall tipo_rece_from_request(std::string_view json_text, const std::string& origin,
                                    const PacketFiles& packets) {
    TipoReceRequest request = parse_tipo_rece_request(json_text, origin);
    std::string packet = packets(request.oleTipoRece);
    return tipo_rece_call(std::move(request), std::move(packet));
}

constexpr std::array demo{
    DemoEntry{"Payment-means report, fiscal register", "tipo_rece.json"},
};

}  // namespace

TipoReceRequest parse_tipo_rece_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    TipoReceRequest arguments;
    TOV_PAYMENT_MEANS_PARAMETERS(TOVPRINT_READ_FIELD)
    request.reject_unknown_keys();
    return arguments;
}

constexpr DocumentCommand tipo_rece_command{"tipo_rece", export_name, tipo_rece_from_request, demo};

}  // namespace tovprint
