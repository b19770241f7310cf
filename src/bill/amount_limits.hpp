#pragma once
// How large an amount the bill prints. The quantity, price and per-person columns print 15
// significant digits and switch to exponent notation ("1E15") from 10^15 on; the other columns
// keep plain digits a little longer, and infinities print as "INF". An amount the bill would
// print, or the host passed, that is not finite or whose magnitude is 10^15 or more fails the
// call with TOV_E_ARGUMENT before the bill it belongs to is handed off.

#include <string_view>

#include "platform/dataset/client_dataset.hpp"

namespace tov::bill {

// Amounts stay below this magnitude: 999.999.999.999.999,99 is the largest.
inline constexpr long double printed_amount_limit = 1e15L;

inline bool printable_amount(long double value) {
    return value > -printed_amount_limit && value < printed_amount_limit;  // false for NaN
}

// ArgumentError "table bill: <what> is <value>, not an amount the bill prints ...".
[[noreturn]] void refuse_amount(std::string_view what, long double value);

// Throws refuse_amount's failure unless the value is printable.
inline void require_printable_amount(long double value, std::string_view what) {
    if (!printable_amount(value)) refuse_amount(what, value);
}

// Checks, before any seat bill, every item of the ticket: its quantity, price, discount,
// surcharge, tip percentages and value, and the sum of the items' values. A value that does not
// read as a number is left to the seat bill that holds it, which fails naming its seat.
void require_printable_items(dataset::ClientDataSet& items);

}  // namespace tov::bill
