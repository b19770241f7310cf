#include "statement/detailed_statement.hpp"

#include <string>

#include "statement/movement_block.hpp"
#include "statement/statement_header.hpp"
#include "statement/statement_lines.hpp"

namespace tov::statement {
namespace {

using dataset::ClientDataSet;

std::string family_of(const ClientDataSet& rows) {
    return rows.FieldByName("CDFAMILISALD").AsString();
}

double date_of(const ClientDataSet& rows) {
    return rows.FieldByName("DATA").AsDateTime();
}

// Each group takes its first row whatever it holds, so the walk always moves on.
void write_date_group(StatementRun& run, ClientDataSet& rows, const std::string& family) {
    const double date = date_of(rows);
    run.text.line(date_line(date, run.settings()));
    do {
        write_movement_block(run, rows, detailed_statement_fields);
        run.has_movements = true;
        rows.Next();
    } while (!rows.Eof() && family_of(rows) == family && date_of(rows) == date);
}

void write_family_section(StatementRun& run, ClientDataSet& rows) {
    run.text.line(separator(run.width));
    run.text.line(previous_balance_line(rows.FieldByName("NMFAMILISALD").AsString(),
                                        rows.FieldByName("SALDANT").AsFloat(), run.width,
                                        run.settings()));
    run.text.line(separator(run.width));
    run.text.line(column_heading(run.width));
    const std::string family = family_of(rows);
    do {
        write_date_group(run, rows, family);
    } while (!rows.Eof() && family_of(rows) == family);
}

}  // namespace

void write_detailed_statement(StatementRun& run) {
    auto& rows = run.request.cdsExtrato;
    if (rows.Eof()) return;
    write_header(run);
    while (!rows.Eof()) write_family_section(run, rows);
}

}  // namespace tov::statement
