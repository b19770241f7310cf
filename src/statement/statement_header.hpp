#pragma once
// The statement's header: printed by the fiscal register itself (Cabecalho), or written as the
// store, till and printing time between separators on the plain printer; then, on both, the
// customer of cdsExtrato's current row and the consumer.

#include "statement/statement_run.hpp"

namespace tov::statement {

void write_header(StatementRun& run);

}  // namespace tov::statement
