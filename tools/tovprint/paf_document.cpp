#include "paf_document.hpp"

#include <array>

#include "file_bytes.hpp"

namespace tovprint {
namespace {

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

}  // namespace

DocumentCall paf_call(PafRequest request, std::string identification, std::string serials) {
    return [request = std::move(request), identification = std::move(identification),
            serials = std::move(serials)](PackageSession& package) {
        const auto print =
            package.function<decltype(&ImprimeDadosPaf_Tov00000)>("ImprimeDadosPaf_Tov00000");
        const std::array values{text_variant(request.stCdFilial),
                                text_variant(request.stCdCaixa),
                                text_variant(request.stEsquemaCor),
                                text_variant(identification, TOV_VT_BYTES),
                                text_variant(serials, TOV_VT_BYTES),
                                text_variant(request.stNrSerie),
                                integer_variant(request.IdTipoImpFis),
                                text_variant(request.stIndice)};
        tov_variant retorno{};
        int32_t result = 0;
        package.check(print(values.data(), static_cast<int32_t>(values.size()) - 1, &retorno,
                            &result),
                      "ImprimeDadosPaf_Tov00000");
        return result != 0;
    };
}

DocumentCall paf_from_request(std::string_view json_text, const std::string& origin,
                              const std::filesystem::path& folder) {
    PafRequest request = parse_paf_request(json_text, origin);
    std::string identification = read_file_bytes(folder / request.oleDadosPaf);
    std::string serials = read_file_bytes(folder / request.oleBuscaNrSerieEcf);
    return paf_call(std::move(request), std::move(identification), std::move(serials));
}

}  // namespace tovprint
