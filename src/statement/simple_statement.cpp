#include "statement/simple_statement.hpp"

#include <optional>
#include <string>
#include <string_view>

#include "platform/dataset/filter_literal.hpp"
#include "statement/movement_block.hpp"
#include "statement/statement_header.hpp"
#include "statement/statement_lines.hpp"

namespace tov::statement {
namespace {

// The header goes out once, and only when there is any movement at all: the movements are looked
// at unfiltered while the first family is current.
void write_header_when_any_movement(StatementRun& run) {
    auto& families = run.request.cdsSaldoConsExt;
    auto& movements = run.request.cdsExtSimples;
    families.First();
    bool first_family = true;
    while (!families.Eof()) {
        movements.SetFiltered(false);
        if (first_family && !movements.IsEmpty()) write_header(run);
        first_family = false;
        families.Next();
    }
}

// The previous balance is the one of the family's row in cdsExtrato, or of the row it stands on
// when the family has none there; cdsExtrato goes back where it was.
void write_family_heading(StatementRun& run, const std::string& CDFAMILISALD) {
    auto& balances = run.request.cdsExtrato;
    const int record_number = balances.RecNo();
    balances.Locate("CDFAMILISALD", std::string_view(CDFAMILISALD),
                    dataset::LocateOptions{.case_insensitive = true});
    run.text.line(separator(run.width));
    run.text.line(previous_balance_line(
        run.request.cdsSaldoConsExt.FieldByName("NMFAMILISALD").AsString(),
        balances.FieldByName("SALDANT").AsFloat(), run.width, run.settings()));
    run.text.line(separator(run.width));
    run.text.line(column_heading(run.width));
    balances.SetRecNo(record_number);
}

// Every movement of the family once, in the order of the filtered view, a date line ahead of each
// run of movements of the same date.
void write_family_movements(StatementRun& run) {
    auto& movements = run.request.cdsExtSimples;
    std::optional<double> run_date;
    movements.First();
    while (!movements.Eof()) {
        const double date = movements.FieldByName("DATA").AsDateTime();
        if (!run_date || *run_date != date) {
            run.text.line(date_line(date, run.settings()));
            run_date = date;
        }
        write_movement_block(run, movements, simple_statement_fields);
        movements.Next();
    }
}

void write_family(StatementRun& run) {
    auto& movements = run.request.cdsExtSimples;
    const std::string CDFAMILISALD =
        run.request.cdsSaldoConsExt.FieldByName("CDFAMILISALD").AsString();
    movements.SetFiltered(false);
    movements.SetFilter("CDFAMILISALD = " + dataset::filter_literal(CDFAMILISALD));
    movements.SetFiltered(true);
    if (!movements.IsEmpty()) {
        write_family_heading(run, CDFAMILISALD);
        run.has_movements = true;
        write_family_movements(run);
    }
    run.text.line("");
}

}  // namespace

void write_simple_statement(StatementRun& run) {
    auto& families = run.request.cdsSaldoConsExt;
    if (families.IsEmpty()) return;
    write_header_when_any_movement(run);
    families.First();
    while (!families.Eof()) {
        write_family(run);
        families.Next();
    }
}

}  // namespace tov::statement
