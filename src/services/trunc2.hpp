#pragma once
// Two-decimal truncation of amounts.

namespace tov::services {

// The amount with the digits after its second decimal dropped (not rounded), toward zero:
// 2.999 -> 2.99, -2.999 -> -2.99.
//
// The digits dropped are those of the amount as a person reads it, not of its binary form:
// the value is first rounded to 15 significant digits (or to three decimals, when that keeps
// more digits, so that amounts of a trillion and more still truncate their third decimal), which
// removes the noise of binary arithmetic. So 0.29 stays 0.29 although 0.29 x 100 truncates to
// 28 in binary, and 1.15 * 3 (3.4499999999999997 in binary) gives 3.45.
//
// A zero result is +0, never -0. NaN and infinities pass through unchanged.
double Trunc2(long double value);

}  // namespace tov::services
