#pragma once
// The detailed statement: cdsExtrato holds every movement, family after family and date after
// date. The walk starts on its current row and leaves it at its end; a family section lasts while
// rows share CDFAMILISALD, a date group while they also share DATA.

#include "statement/statement_run.hpp"

namespace tov::statement {

void write_detailed_statement(StatementRun& run);

}  // namespace tov::statement
