#include "bill/spanish_wording.hpp"

#include <array>

namespace tov::bill {
namespace {

struct Replacement {
    std::string_view portuguese;
    std::string_view spanish;
};

constexpr std::array<Replacement, 7> replacements{{
    {"ACOMPANHAMENTO DO PEDIDO", "SEGUIMIENTO DE PEDIDO"},
    {"Garcom :", "Mozo   :"},
    {"Emissao", "Emision"},
    {"desconto", "descuento"},
    {"acrescimo", "adicion"},
    {"Total Produtos   ", "Productos totales"},
    {"Tempo de permanencia   ", "Duracion de la estancia"},
}};

std::string replace_all(std::string_view text, const Replacement& replacement) {
    std::string replaced;
    replaced.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t found = text.find(replacement.portuguese); found != std::string_view::npos;
         found = text.find(replacement.portuguese, from)) {
        replaced.append(text.substr(from, found - from));
        replaced.append(replacement.spanish);
        from = found + replacement.portuguese.size();
    }
    replaced.append(text.substr(from));
    return replaced;
}

}  // namespace

std::string GetTraduzirParaColombia(std::string_view txt) {
    std::string translated(txt);
    for (const Replacement& replacement : replacements) {
        translated = replace_all(translated, replacement);
    }
    return translated;
}

}  // namespace tov::bill
