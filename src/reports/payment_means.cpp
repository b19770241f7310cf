#include "reports/payment_means.hpp"

#include <optional>
#include <utility>

#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "reports/payment_recapitulation.hpp"
#include "services/document_text.hpp"
#include "services/line_layout.hpp"
#include "services/text_helpers.hpp"

namespace tov::reports {
namespace {

using services::Centraliza;
using services::PadL;
using services::TamFixo;

constexpr int currency_precision = 15;
constexpr int currency_decimals = 2;
constexpr int recapitulation_name_columns = 30;
constexpr int recapitulation_amount_columns = 16;
constexpr int total_label_columns = 32;

using services::LineLayout;

// The day of a row: its date-time, or nothing when the row has none (NULL or zero).
using MovementDay = std::optional<double>;

// The day block being written: its day and the sum of its rows.
struct OpenDay {
    MovementDay day;
    double total = 0;
};

std::string currency(double value, const format::FormatSettings& settings) {
    return format::FloatToStrF(value, format::FloatFormat::Currency, currency_precision,
                               currency_decimals, settings);
}

// An amount right-aligned in its column; one too wide for the column is printed whole.
std::string amount_cell(double value, const format::FormatSettings& settings) {
    return PadL(currency(value, settings), recapitulation_amount_columns);
}

// The label of a kind of fiscal document; a code that is none of the three known ones is shown
// as it stands.
std::string document_label(const std::string& tipo) {
    if (tipo == "CF") return "Cupom Fiscal";
    if (tipo == "CNF") return "Comprovante N\xe3o Fiscal";
    if (tipo == "NF") return "Nota Fiscal";
    return tipo;
}

MovementDay movement_day(const dataset::ClientDataSet& rows) {
    const dataset::FieldRef field = rows.FieldByName("DTMOVIMCAIXA");
    if (field.IsNull()) return std::nullopt;
    const double day = field.AsDateTime();
    if (day == 0) return std::nullopt;
    return day;
}

std::string day_text(const MovementDay& day, const format::FormatSettings& settings) {
    return day ? format::DateToStr(*day, settings) : std::string();
}

void write_day_sum(services::DocumentText& report, const OpenDay& open_day,
                   const format::FormatSettings& settings) {
    report.line("SOMA DO DIA " + day_text(open_day.day, settings) + " = " +
                currency(open_day.total, settings));
}

// Closes the day block that is open, if any, with its sum and two empty lines, and opens the
// block of the given day.
void begin_day(services::DocumentText& report, std::optional<OpenDay>& open_day,
               const MovementDay& day, const format::FormatSettings& settings) {
    if (open_day) {
        write_day_sum(report, *open_day, settings);
        report.line("");
        report.line("");
    }
    open_day = OpenDay{day, 0};
    report.line("Data: " + day_text(day, settings));
}

// The line of the current row; answers its amount after recording it under its payment type.
double write_row(services::DocumentText& report, const dataset::ClientDataSet& rows,
                 PaymentRecapitulation& recapitulation, const format::FormatSettings& settings) {
    const std::string name = rows.FieldByName("NMTIPORECE").AsString();
    const std::string label = document_label(rows.FieldByName("TIPO").AsString());
    const double amount = rows.FieldByName("VALOR").AsFloat();
    report.line(name + " - " + label + " - " + currency(amount, settings));
    recapitulation.add(rows.FieldByName("CDTIPORECE").AsString(), name, amount);
    return amount;
}

// One line per row, in day blocks: a block begins whenever a row's day differs from the day of
// the row before it, and ends with its sum. Answers the period's total.
double write_rows(services::DocumentText& report, dataset::ClientDataSet& rows,
                  PaymentRecapitulation& recapitulation, const format::FormatSettings& settings) {
    double period_total = 0;
    std::optional<OpenDay> open_day;
    rows.First();
    while (!rows.Eof()) {
        const MovementDay day = movement_day(rows);
        if (!open_day || open_day->day != day) begin_day(report, open_day, day, settings);
        const double amount = write_row(report, rows, recapitulation, settings);
        open_day->total += amount;
        period_total += amount;
        rows.Next();
    }
    if (open_day) write_day_sum(report, *open_day, settings);
    return period_total;
}

void write_period_total(services::DocumentText& report, const PaymentRecapitulation& recapitulation,
                        double period_total, int width, const format::FormatSettings& settings) {
    report.line(Centraliza("TOTAL DO PERIODO SOLICITADO", width));
    report.line("");
    for (const PaymentTypeTotal& entry : recapitulation.entries()) {
        if (entry.name.empty()) continue;
        report.line(TamFixo(entry.name, recapitulation_name_columns) + "  " +
                    amount_cell(entry.amount, settings));
    }
    report.line(TamFixo("Soma total", total_label_columns) + amount_cell(period_total, settings));
}

std::string compose(const PaymentMeansRequest& request, dataset::ClientDataSet& rows,
                    const LineLayout& layout, const format::FormatSettings& settings) {
    PaymentRecapitulation recapitulation;
    rows.SetData(request.oleTipoRece);
    services::DocumentText report(layout.line_break);
    report.line(Centraliza("Meios de Pagamento", layout.width));
    report.line("Per\xedodo Solicitado: de " + request.stDataIni + " a " + request.stDataFin);
    const double period_total = write_rows(report, rows, recapitulation, settings);
    write_period_total(report, recapitulation, period_total, layout.width, settings);
    return report.text();
}

}  // namespace

void imprimeTipoRece(const PaymentMeansRequest& request, dataset::ClientDataSet& cdsTipoReceHomolog,
                     const services::DocumentContext& context) {
    context.backend.require({services::EntryPoint::imprimeTipoRece});
    const LineLayout layout = context.configured_line_layout(request.IdTipoImpFis, false, true);
    const std::string text = compose(request, cdsTipoReceHomolog, layout, context.settings);
    context.backend.imprimeTipoRece(request.stCdFilial, request.stCdCaixa, request.stEsquemaCor,
                                    request.stNrSerie, text, request.stMeiosPgto);
}

}  // namespace tov::reports
