#pragma once
// The loyalty discount already granted to the ticket, from the one programme the store uses:
// Cash4All, then UDS, then core banking (the parameter file), else the store's own loyalty.

#include "bill/bill_run.hpp"

namespace tov::bill {

// Asks exactly one lookup: the first whose switch is "S", or getDescontoFid when none is.
double loyalty_discount(const BillRun& run);

}  // namespace tov::bill
