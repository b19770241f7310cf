#pragma once
// The items of the bill in seat order ("Indice": seat, then item sequence), each with its name,
// quantity, unit price and amount, its own discount and surcharge, a transfer note and a
// cancelled mark, under seat headings when the table groups its items by seat. While listing,
// the products total and the service-charge base of the bill are added up.

#include "bill/bill_run.hpp"

namespace tov::bill {

// Leaves the index and the item filter switched on for the totals that follow.
void write_item_lines(BillRun& run);

}  // namespace tov::bill
