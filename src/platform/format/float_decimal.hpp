#pragma once
// The decimal digits of a floating value, rounded once the way the number formatting routines
// round: 18 significant digits of the (80-bit) value, then one half-away-from-zero rounding at
// min(precision, integer digits + decimals). Every formatting routine lays out one of these.

#include <string>

namespace tov::format {

struct FloatDecimal {
    enum class Kind { Finite, Infinite, NaN };

    Kind kind = Kind::Finite;
    bool negative = false;
    // value = 0.d1 d2 d3 ... × 10^exponent; digits hold no trailing zeros and are empty for zero.
    int exponent = 0;
    std::string digits;

    bool is_zero() const { return kind == Kind::Finite && digits.empty(); }

    // The digit at position index (0 is the first significant one), '0' past the end.
    char digit_at(int index) const;
};

inline constexpr int kMaxSignificantDigits = 18;

// Rounds value to at most precision significant digits (clamped to 1..18) and at most decimals
// digits after the decimal point. A zero result never carries a sign.
FloatDecimal to_float_decimal(long double value, int precision, int decimals);

}  // namespace tov::format
