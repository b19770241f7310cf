#pragma once
// What the ticket (or the seat) costs, right after the items: the products total, the ticket's
// surcharge, loyalty discount and discount, the subtotal, the service charge or the seat's share
// of it, the cover charge and the minimum consumption; then the total is settled for the bold
// Total line.

#include "bill/bill_run.hpp"

namespace tov::bill {

// A service charge switched off ("N") is taken out of a total the host passed and is zero for
// the rest of the call. The total is worked out here when the host passed none (every seat bill).
void write_totals(BillRun& run);

}  // namespace tov::bill
