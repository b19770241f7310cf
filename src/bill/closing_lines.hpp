#pragma once
// The end of the bill: the amount per person, the time the table has been open, the hotel
// guest's signature block, the till's own footer text, and the notice that the fiscal coupon is
// still to come (stores of the state "SC"). A fiscal bill then carries the maker's credit line
// (credit_line), which the hand-off adds.

#include "bill/bill_run.hpp"

namespace tov::bill {

void write_closing_lines(BillRun& run);

}  // namespace tov::bill
