#include "bill/hand_off.hpp"

#include <array>
#include <string>
#include <string_view>

#include "bill/printer_kinds.hpp"
#include "bill/spanish_wording.hpp"
#include "services/text_helpers.hpp"

namespace tov::bill {
namespace {

constexpr std::string_view maker_web_address = "www.pdv-tov.example";

// The maker's credit line, the last text of every fiscal bill.
std::string credit_line() {
    return "QUELMAR SOFTWARE - " + std::string(maker_web_address);
}

tov_variant flag_variant(bool value) {
    tov_variant variant{};
    variant.type = TOV_VT_BOOL;
    variant.boolean = value ? 1 : 0;
    return variant;
}

tov_variant text_variant(std::string_view text) {
    tov_variant variant{};
    variant.type = TOV_VT_TEXT;
    variant.data = text.data();
    variant.size = text.size();
    return variant;
}

tov_variant missing_parameter() {
    tov_variant variant{};
    variant.type = TOV_VT_MISSING;
    return variant;
}

bool hand_to_register(BillRun& run) {
    const TableBillRequest& request = run.request;
    run.stRelat.append(services::Centraliza(credit_line(), run.inTamLinha));
    return run.context.backend.Conferencia_Formatada(
        request.stEsquemaCor, request.stCdFilial, request.stCdCaixa, request.stNrSerie,
        request.stIndice, request.stNrvendarest, request.stCupomDia, run.stRelat.text());
}

void hand_to_plain_printer(BillRun& run) {
    std::string stRelat = run.stRelat.text();
    if (run.country.stIdPaisIntegra == colombia) stRelat = GetTraduzirParaColombia(stRelat);
    const std::string text = stRelat + run.stEnter() + run.stEnter();
    const std::array<tov_variant, 7> arguments{
        flag_variant(false), text_variant("PARCIALCONTA"), text_variant(text), missing_parameter(),
        missing_parameter(), missing_parameter(),          text_variant(""),
    };
    tov_variant answer{};
    run.context.backend.DisparaImpressaoNaoFiscal(arguments, answer);
}

}  // namespace

bool register_composes_bill(int IdTipoImp) {
    return printer_kinds::is_one_of(IdTipoImp, printer_kinds::registers_composing_bill);
}

bool hand_off(BillRun& run) {
    if (run.boImprimeFiscal) return hand_to_register(run);
    hand_to_plain_printer(run);
    return true;
}

bool hand_items_to_register(const TableBillRequest& request,
                            const services::DocumentContext& context) {
    const services::BillTexts texts{
        request.stCdPortaImpFis, request.stEsquemaCor, request.stCdFilial,
        request.stCdCaixa,       request.stTipoVenda,  request.stNrComanda,
        request.stMesa,          request.stNmGarcom,   request.stEmissao};
    const services::BillAmounts amounts{request.doVrDesc,  request.doConsMin,   request.doCouver,
                                        request.doVrTxSer, request.doQtPessoas, request.doTotal,
                                        request.doAcre};
    return context.backend.Conferencia_Outras(texts, request.stCupomDia, request.DADOS, amounts,
                                              request.IdTipoImp);
}

}  // namespace tov::bill
