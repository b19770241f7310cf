#pragma once
// The top of the bill: the title (the hotel's two titles for a guest), a blank line, the till's
// operator with the table or ticket, the waiter, the consumer's loyalty balance, the emission,
// the hotel guest's block, and the consumer's name when no loyalty balance names it.

#include "bill/bill_run.hpp"

namespace tov::bill {

// Starts the seat bill's text afresh. An items packet whose current row has no consumer code
// turns the hotel switch off for the rest of the call.
void write_header(BillRun& run);

}  // namespace tov::bill
