#include "documents/dados_paf_command.hpp"

#include <array>

#include "documents/request_object.hpp"

namespace tovprint {
namespace {

constexpr const char* export_name = "ImprimeDadosPaf_Tov00000";

tov_variant text_variant(const std::string& text, int32_t type = TOV_VT_TEXT) {
    tov_variant value{};
    value.type = type;
    value.data = text.data();
    value.size = text.size();
    return value;
}

tov_variant integer_variant(int32_t number) {
    tov_variant value{};
    value.type = TOV_VT_INT;
    value.integer = number;
    return value;
}

DocumentCall dados_paf_call(DadosPafRequest request, std::string identification,
                            std::string serials) {
    return [request = std::move(request), identification = std::move(identification),
            serials = std::move(serials)](PackageSession& package) {
        const auto print = package.function<decltype(&ImprimeDadosPaf_Tov00000)>(export_name);
        const std::array values{
            text_variant(request.stCdFilial),      text_variant(request.stCdCaixa),
            text_variant(request.stEsquemaCor),    text_variant(identification, TOV_VT_BYTES),
            text_variant(serials, TOV_VT_BYTES),   text_variant(request.stNrSerie),
            integer_variant(request.IdTipoImpFis), text_variant(request.stIndice)};
        tov_variant retorno{};
        int32_t result = 0;
        package.check(
            print(values.data(), static_cast<int32_t>(values.size()) - 1, &retorno, &result),
            export_name);
        return answered(result != 0);
    };
}

DocumentCall dados_paf_from_request(std::string_view json_text, const std::string& origin,
                                    const PacketFiles& packets) {
    DadosPafRequest request = parse_dados_paf_request(json_text, origin);
    std::string identification = packets(request.oleDadosPaf);
    std::string serials = packets(request.oleBuscaNrSerieEcf);
    return dados_paf_call(std::move(request), std::move(identification), std::move(serials));
}

constexpr std::array demo{
    DemoEntry{"PAF-ECF identification, fiscal register", "dados_paf.json"},
};

}  // namespace

DadosPafRequest parse_dados_paf_request(std::string_view json_text, std::string origin) {
    RequestObject request(json_text, std::move(origin));
    DadosPafRequest arguments;
    arguments.stCdFilial = request.text("stCdFilial");
    arguments.stCdCaixa = request.text("stCdCaixa");
    arguments.stEsquemaCor = request.text("stEsquemaCor");
    arguments.oleDadosPaf = request.packet("oleDadosPaf");
    arguments.oleBuscaNrSerieEcf = request.packet("oleBuscaNrSerieEcf");
    arguments.stNrSerie = request.text("stNrSerie");
    arguments.IdTipoImpFis = request.integer("IdTipoImpFis");
    arguments.stIndice = request.text("stIndice");
    request.reject_unknown_keys();
    return arguments;
}

constexpr DocumentCommand dados_paf_command{"dados_paf", export_name, dados_paf_from_request, demo};

}  // namespace tovprint
