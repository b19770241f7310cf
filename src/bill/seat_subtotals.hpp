#pragma once
// The seat subtotals inside the bold Total block of a table shared by several people: for each
// seat, its consumption, its share of the service charge and the sum of both, in fixed columns
// of 6, 10 and 11 characters whatever the line width.

#include "bill/bill_run.hpp"

namespace tov::bill {

// Only for more than one person at a table sale grouped by seat. The last seat's share becomes
// the service charge the bill shows (doTxPos).
void write_seat_subtotals(BillRun& run);

}  // namespace tov::bill
