#include "statement/movement_block.hpp"

#include <string>

#include "statement/filter_literal.hpp"
#include "statement/statement_lines.hpp"

namespace tov::statement {
namespace {

std::string text_of(const dataset::ClientDataSet& data, std::string_view field) {
    return data.FieldByName(field).AsString();
}

void filter_to_sale(dataset::ClientDataSet& items, const std::string& NRSEQVENDA,
                    const std::string& CDFAMILISALD) {
    items.SetFiltered(false);
    items.SetFilter("NRSEQVENDA = " + filter_literal(NRSEQVENDA) +
                    "AND CDFAMILISALD = " + filter_literal(CDFAMILISALD));
    items.SetFiltered(true);
}

void write_sale_items(StatementRun& run, const dataset::ClientDataSet& movements,
                      const std::string& NRSEQVENDA) {
    auto& items = run.request.cdsExtVenda;
    filter_to_sale(items, NRSEQVENDA, text_of(movements, "CDFAMILISALD"));
    items.First();
    while (!items.Eof()) {
        run.text.line(sale_item_line(
            text_of(movements, "CDFILIAL"), items.FieldByName("QTDE").AsFloat(),
            text_of(items, "NMPRODUTO"), items.FieldByName("VRTOTAL").AsFloat(), run.settings()));
        hand_item_lines_to_register(run);
        items.Next();
    }
}

}  // namespace

void write_movement_block(StatementRun& run, const dataset::ClientDataSet& movements,
                          MovementFields fields) {
    const std::string NRSEQVENDA = text_of(movements, "NRSEQVENDA");
    MovementCells cells;
    cells.kind = movement_kind(text_of(movements, "IDTPMOVEXT"), NRSEQVENDA);
    cells.HORA = text_of(movements, "HORA");
    cells.DSOPEEXTCONS = text_of(movements, "DSOPEEXTCONS");
    cells.amount = movements.FieldByName(fields.amount).AsFloat();
    cells.balance = movements.FieldByName(fields.balance).AsFloat();
    run.text.line(movement_line(cells, run.width, run.settings()));

    if (cells.kind == MovementKind::Sale) {
        write_sale_items(run, movements, NRSEQVENDA);
    } else if (cells.kind == MovementKind::CreditOrDebit) {
        run.text.line(credit_debit_note_line(text_of(movements, "CDFILIAL"), cells.DSOPEEXTCONS));
    }
}

}  // namespace tov::statement
