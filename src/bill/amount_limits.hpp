#pragma once
// How large an amount the bill prints. The quantity, price and per-person columns print 15
// significant digits and switch to exponent notation ("1E15") from 10^15 on; the other columns
// keep plain digits a little longer, and infinities print as "INF". An amount the bill would
// print, or the host passed, that is not finite or whose magnitude is 10^15 or more fails the
// call with TOV_E_ARGUMENT before the bill it belongs to is handed off.

#include <string_view>

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

}  // namespace tov::bill
