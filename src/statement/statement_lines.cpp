#include "statement/statement_lines.hpp"

#include <algorithm>
#include <array>

#include "platform/format/date_format.hpp"
#include "platform/format/float_format.hpp"
#include "services/text_helpers.hpp"

namespace tov::statement {
namespace {

using services::Centraliza;
using services::Replicate;
using services::TamFixo;
using services::TamFixoR;

constexpr int money_precision = 15;
constexpr int movement_money_precision = 13;
constexpr int money_decimals = 2;

struct MovementWidths {
    int description;
    int gap;
    int amount;
};

MovementWidths movement_widths(MovementKind kind) {
    if (kind == MovementKind::CreditOrDebit) return {19, 1, 8};
    return {17, 3, 8};
}

bool is_credit_or_debit(std::string_view IDTPMOVEXT) {
    return IDTPMOVEXT == "C" || IDTPMOVEXT == "D";
}

// The printer models whose cutter sits a separator and four lines below the last line printed.
// The non-fiscal printer models (stIdTipoImpNF) whose paper is cut below a separator and four
// empty lines.
constexpr std::array<std::string_view, 5> models_cut_below_separator{"30", "32", "33", "41", "44"};

// The model that feeds eleven empty lines before the cut.
constexpr std::string_view model_feeding_eleven_lines = "34";

bool cuts_below_separator(std::string_view stIdTipoImpNF) {
    return std::find(models_cut_below_separator.begin(), models_cut_below_separator.end(),
                     stIdTipoImpNF) != models_cut_below_separator.end();
}

}  // namespace

std::string money(double value, const format::FormatSettings& settings) {
    return format::FloatToStrF(value, format::FloatFormat::Fixed, money_precision, money_decimals,
                               settings);
}

std::string movement_money(double value, const format::FormatSettings& settings) {
    return format::FloatToStrF(value, format::FloatFormat::Fixed, movement_money_precision,
                               money_decimals, settings);
}

std::string quantity(double value, const format::FormatSettings& settings) {
    return format::FloatToStr(value, settings);
}

std::string separator(int width) {
    return Replicate("-", width);
}

std::string store_line(std::string_view stFilial, int width) {
    return Centraliza(stFilial, width);
}

// The printing time always reads dd/mm/yyyy hh:mm: the separators are quoted so that the
// regional date and time separators do not replace them.
std::string till_line(std::string_view stCaixa, double printed_at,
                      const format::FormatSettings& settings) {
    return "Caixa: " + std::string(stCaixa) + Replicate(" ", 15) +
           format::FormatDateTime("dd'/'mm'/'yyyy hh':'nn", printed_at, settings);
}

std::string customer_line(std::string_view CDCLIENTE) {
    return "Cliente: " + std::string(CDCLIENTE);
}

std::string consumer_line(std::string_view stConsumidor, std::string_view stNmConsumidor) {
    return "Cons: " + std::string(stConsumidor) + "-" + std::string(stNmConsumidor);
}

std::string previous_balance_line(std::string_view family_name, double previous_balance, int width,
                                  const format::FormatSettings& settings) {
    return TamFixo("SALDO ANTERIOR - " + std::string(family_name), 28) +
           TamFixoR(money(previous_balance, settings), width - 29);
}

std::string column_heading(int width) {
    return TamFixo("Data", 11) + TamFixo("Operacao", 20) + TamFixo("Valor", 8) +
           TamFixo("Saldo", width - 39);
}

std::string date_line(double date, const format::FormatSettings& settings) {
    return format::DateToStr(date, settings);
}

MovementKind movement_kind(std::string_view IDTPMOVEXT, std::string_view NRSEQVENDA) {
    if (!NRSEQVENDA.empty() && IDTPMOVEXT == "V") return MovementKind::Sale;
    if (NRSEQVENDA.empty() && is_credit_or_debit(IDTPMOVEXT)) return MovementKind::CreditOrDebit;
    return MovementKind::Other;
}

std::string movement_line(const MovementCells& movement, int width,
                          const format::FormatSettings& settings) {
    const MovementWidths widths = movement_widths(movement.kind);
    return TamFixo(" ", 1) + TamFixo(movement.HORA, 6) +
           TamFixo(movement.DSOPEEXTCONS, widths.description) + " " +
           TamFixo(Replicate(" ", widths.gap), widths.gap) +
           TamFixoR(movement_money(movement.amount, settings), widths.amount) +
           TamFixoR(movement_money(movement.balance, settings), width - 36);
}

std::string sale_item_line(std::string_view CDFILIAL, double QTDE, std::string_view NMPRODUTO,
                           double VRTOTAL, const format::FormatSettings& settings) {
    return TamFixo("   ", 3) + TamFixo(CDFILIAL, 4) + " " + TamFixo(quantity(QTDE, settings), 4) +
           " " + TamFixo(NMPRODUTO, 15) + TamFixoR(money(VRTOTAL, settings), 8);
}

std::string credit_debit_note_line(std::string_view CDFILIAL, std::string_view DSOPEEXTCONS) {
    const int description_width = movement_widths(MovementKind::CreditOrDebit).description - 5;
    return TamFixo("   ", 3) + TamFixo(CDFILIAL, 4) + " " +
           TamFixo(DSOPEEXTCONS, description_width) + " ";
}

std::string total_line(double total, int width, const format::FormatSettings& settings) {
    return TamFixo("Saldo Total", 12) + TamFixoR(money(total, settings), width - 12);
}

std::string closing_feed(std::string_view stIdTipoImpNF, int width, std::string_view line_break) {
    std::string feed;
    if (cuts_below_separator(stIdTipoImpNF)) {
        feed = separator(width) + Replicate(line_break, 5);
    } else if (stIdTipoImpNF == model_feeding_eleven_lines) {
        feed = Replicate(line_break, 11);
    } else {
        feed = std::string(line_break);
    }
    return feed + std::string(line_break);
}

}  // namespace tov::statement
