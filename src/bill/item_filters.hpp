#pragma once
// The filter texts the bill sets on its items: the rows of the other seats, and the items it
// lists. Cover and minimum-consumption products are never listed as items; the bill prints them
// as charges. Every code goes into the text as a quoted literal, a quote inside doubled, so any
// product or seat code selects its own rows.

#include <string>
#include <string_view>

#include "bill/table_bill_request.hpp"

namespace tov::bill {

// The rows of seats other than `seat`, charges left out.
std::string other_seats_filter(std::string_view seat, const TableBillRequest& request);

// Fiscal bill: every item but the charges; cancelled items are listed with their mark.
std::string fiscal_item_filter(const TableBillRequest& request);

// Non-fiscal bill: neither charges nor cancelled items (status "6" or "7").
std::string non_fiscal_item_filter(const TableBillRequest& request);

}  // namespace tov::bill
