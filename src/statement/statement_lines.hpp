#pragma once
// The lines of the consumer statement, each as its text without the line break, and the number
// forms they print. Widths count bytes of Windows-1252 text.

#include <string>
#include <string_view>

#include "platform/format/format_settings.hpp"

namespace tov::statement {

// Previous balances, item totals and the total: two decimals, up to 15 significant digits,
// exponent notation when the integer part needs more.
std::string money(double value, const format::FormatSettings& settings);

// Movement amounts and the balances after them: as money, with up to 13 significant digits.
std::string movement_money(double value, const format::FormatSettings& settings);

// A quantity in its shortest form: "2", "1,5".
std::string quantity(double value, const format::FormatSettings& settings);

std::string separator(int width);
std::string store_line(std::string_view stFilial, int width);
std::string till_line(std::string_view stCaixa, double printed_at,
                      const format::FormatSettings& settings);
std::string customer_line(std::string_view CDCLIENTE);
std::string consumer_line(std::string_view stConsumidor, std::string_view stNmConsumidor);

// One column narrower than the line: the family name shares 28 columns with its label.
std::string previous_balance_line(std::string_view family_name, double previous_balance, int width,
                                  const format::FormatSettings& settings);
std::string column_heading(int width);
std::string date_line(double date, const format::FormatSettings& settings);

// What a movement row adds below its own line.
enum class MovementKind {
    Sale,           // "V" with a sale number: the sale's item lines
    CreditOrDebit,  // "C" or "D" without a sale number: a note line
    Other,          // nothing
};

MovementKind movement_kind(std::string_view IDTPMOVEXT, std::string_view NRSEQVENDA);

struct MovementCells {
    MovementKind kind = MovementKind::Other;
    std::string HORA;
    std::string DSOPEEXTCONS;
    double amount = 0;
    double balance = 0;  // after the movement
};

// As wide as the line; the amount column always begins after 28 columns.
std::string movement_line(const MovementCells& movement, int width,
                          const format::FormatSettings& settings);

// 36 columns whatever the line width.
std::string sale_item_line(std::string_view CDFILIAL, double QTDE, std::string_view NMPRODUTO,
                           double VRTOTAL, const format::FormatSettings& settings);

// 23 columns: the store code and the description cut to 14.
std::string credit_debit_note_line(std::string_view CDFILIAL, std::string_view DSOPEEXTCONS);

std::string total_line(double total, int width, const format::FormatSettings& settings);

// What follows the total line, line breaks included: the feed that the printer model needs to
// bring the last line past the cutter, and one more line break.
std::string closing_feed(std::string_view stIdTipoImpNF, int width, std::string_view line_break);

}  // namespace tov::statement
