#include "package/paf_arguments.hpp"

#include <array>
#include <string>
#include <string_view>

#include "package/variant_arguments.hpp"
#include "platform/errors/errors.hpp"

namespace tov::package {
namespace {

constexpr std::array<std::string_view, 8> value_names{
    "stCdFilial",         "stCdCaixa", "stEsquemaCor", "oleDadosPaf",
    "oleBuscaNrSerieEcf", "stNrSerie", "IdTipoImpFis", "stIndice"};

// "arParams[6] (IdTipoImpFis)": which element a conversion failure is about.
std::string element_name(std::size_t index) {
    return "arParams[" + std::to_string(index) + "] (" + std::string(value_names[index]) + ")";
}

}  // namespace

reports::PafIdentificationRequest paf_request_from(std::span<const tov_variant> arParams) {
    if (arParams.size() < value_names.size()) {
        throw ArgumentError("arParams holds " + std::to_string(arParams.size()) +
                            " values; the identification report needs " +
                            std::to_string(value_names.size()));
    }
    return reports::PafIdentificationRequest{
        variant_text(arParams[0], element_name(0)),    variant_text(arParams[1], element_name(1)),
        variant_text(arParams[2], element_name(2)),    variant_packet(arParams[3], element_name(3)),
        variant_packet(arParams[4], element_name(4)),  variant_text(arParams[5], element_name(5)),
        variant_integer(arParams[6], element_name(6)), variant_text(arParams[7], element_name(7)),
    };
}

}  // namespace tov::package
