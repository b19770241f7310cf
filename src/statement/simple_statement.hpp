#pragma once
// The simple statement: family by family as cdsSaldoConsExt lists them, each with its previous
// balance from cdsExtrato and its movements from cdsExtSimples, filtered to the family.
//
// Left on the host's datasets: cdsSaldoConsExt at its end, cdsExtSimples filtered to the last
// family and at the end of its view, cdsExtVenda filtered to the last sale printed, and
// cdsExtrato on the row it stood on before.

#include "statement/statement_run.hpp"

namespace tov::statement {

void write_simple_statement(StatementRun& run);

}  // namespace tov::statement
