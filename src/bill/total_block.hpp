#pragma once
// The bold block: the bold-on sequence, the Total line with the settled total cut to two
// decimals, its separator, the seat subtotals, then the bold-off sequence (with a blank after it
// on printer kind 14), which closes no line of its own.

#include "bill/bill_run.hpp"

namespace tov::bill {

void write_total_block(BillRun& run);

}  // namespace tov::bill
