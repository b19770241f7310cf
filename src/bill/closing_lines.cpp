#include "bill/closing_lines.hpp"

#include <array>
#include <string>
#include <string_view>

#include "bill/amount_limits.hpp"
#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "services/text_helpers.hpp"
#include "services/trunc2.hpp"

namespace tov::bill {
namespace {

using services::Trunc2;

constexpr int fixed_precision = 15;
constexpr int amount_decimals = 2;

// The underscores are as the hotel's form has always had them: 15, 15 and 14.
constexpr std::array<std::string_view, 6> guest_signature_block{
    "Apto/Room_______________",  "Nome/Name_______________",
    "Assi/Signat______________", " *** AUTORIZO 10% GORJETA ESPONTANEA ***",
    "(  ) SIM     (  ) NAO",     "Assi/Signat______________",
};

void write_amount_per_person(BillRun& run) {
    const TableBillRequest& request = run.request;
    if (!(request.doQtPessoas > 1)) return;
    const double per_person =
        (Trunc2(request.doTotal) - Trunc2(run.doTotAdiantado)) / request.doQtPessoas;
    require_printable_amount(per_person,
                             "the amount per person (what is left to pay over "
                             "doQtPessoas)");
    run.line(" " + format::FloatToStr(request.doQtPessoas, run.settings()) + " " +
             run.Msg("PESSOA") + " " +
             format::FloatToStrF(per_person, format::FloatFormat::Fixed, fixed_precision,
                                 amount_decimals, run.settings()) +
             " " + run.Msg("POR PESSOA"));
}

// The hours are those of the time of day of the difference: they start again after 24. An
// opening time that cannot be read counts as 0.
void write_stay_time(BillRun& run) {
    const double opened = run.items().FieldByName("DTHRABERMESA").AsDateTime();
    const double stay = run.context.host.Now() - opened;
    run.line("Tempo de permanencia   " + format::FormatDateTime("hh:mm:ss", stay, run.settings()));
    run.separator();
}

void write_guest_signature(BillRun& run) {
    if (run.request.stIdIntHotel != "S") return;
    for (const std::string_view line : guest_signature_block) run.centred_line(line);
    run.separator();
}

std::string till_footer_text(BillRun& run) {
    db::Query& footer = run.store.lookups.text_parc_cont();
    footer.close();
    footer.set_param("P_CDFILIAL", run.request.stCdFilial);
    footer.set_param("P_CDCAIXA", run.request.stCdCaixa);
    footer.open();
    return footer.field_as_string("DSTXTRODAPEPARC");
}

// Cut into pieces of exactly the line width, whatever words or line breaks they cut, until the
// rest is blank.
void write_till_footer(BillRun& run) {
    std::string stTextoParcial =
        asked_once(run.answers.till_footer, [&run] { return till_footer_text(run); });
    const auto piece = static_cast<std::size_t>(run.inTamLinha);  // at least 1: checked at set-up
    while (!services::EmptyString(stTextoParcial)) {
        run.line(std::string_view(stTextoParcial).substr(0, piece));
        stTextoParcial.erase(0, piece);
    }
}

}  // namespace

void write_closing_lines(BillRun& run) {
    write_amount_per_person(run);
    write_stay_time(run);
    write_guest_signature(run);
    write_till_footer(run);
    if (run.country.stSgEstadoFili == "SC") run.centred_line(run.Msg("AGUARDE_CUPOM"));
}

}  // namespace tov::bill
