#pragma once
// The payments already taken for the sale, each by its payment means, and the amount left to
// pay. Every seat bill lists the payments of the whole sale (seat "T").

#include "bill/bill_run.hpp"

namespace tov::bill {

// Nothing is written when no payment was taken; doTotAdiantado is then 0.
void write_advance_payments(BillRun& run);

}  // namespace tov::bill
