#pragma once
// The suggested tips: the bill's total with each tip percentage of the ticket applied to the tip
// base, which depends on whether the discounts count for the service charge.

#include "bill/bill_run.hpp"

namespace tov::bill {

// Only when the store prints tips ("S"), the service charge is above 0 and at least two of the
// three percentages are above 0; one line for each percentage above 0, then a separator.
void write_suggested_tips(BillRun& run);

}  // namespace tov::bill
