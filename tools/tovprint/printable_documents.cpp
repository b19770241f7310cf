#include "printable_documents.hpp"

#include <array>

#include "platform/errors/errors.hpp"
#include "coupon_document.hpp"
#include "paf_document.hpp"
#include "payment_means_document.hpp"
#include "vendedor_document.hpp"

namespace tovprint {
namespace {

constexpr std::array documents{
    PrintableDocument{"vendedor", "RelatorioVendedor_Tov00000", vendedor_from_request},
    PrintableDocument{"cupom_troca", "Cupom_Troca_Tov00000", coupon_from_request},
    PrintableDocument{"tipo_rece", "imprimeTipoRece_Tov00000", payment_means_from_request},
    PrintableDocument{"dados_paf", "ImprimeDadosPaf_Tov00000", paf_from_request},
};

}  // namespace

std::span<const PrintableDocument> printable_documents() { return documents; }

const PrintableDocument& printable_document(std::string_view name) {
    std::string known;
    for (const auto& document : documents) {
        if (document.name == name) return document;
        known += (known.empty() ? "" : ", ") + std::string(document.name);
    }
    throw tov::ArgumentError("unknown document '" + std::string(name) + "' (known: " + known +
                             ")");
}

}  // namespace tovprint
