#include "platform/format/float_decimal.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tov::format {
namespace {

// 18 correctly rounded significant digits of a finite, non-zero magnitude.
FloatDecimal expand_digits(long double magnitude) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.17Le", magnitude);
    // text is "d.ddddddddddddddddde[+-]x..."
    FloatDecimal decimal;
    decimal.digits.reserve(kMaxSignificantDigits);
    decimal.digits += text[0];
    decimal.digits.append(text.data() + 2, kMaxSignificantDigits - 1);
    const char* exponent = std::strchr(text.data(), 'e');
    decimal.exponent = (exponent ? std::atoi(exponent + 1) : 0) + 1;
    return decimal;
}

// Rounds the digits at position (keeps that many), the next digit deciding, halves upwards.
void round_at(FloatDecimal& decimal, int position) {
    if (position >= static_cast<int>(decimal.digits.size())) return;
    if (position < 0) {
        decimal.digits.clear();
        return;
    }
    const bool round_up = decimal.digits[static_cast<std::size_t>(position)] >= '5';
    decimal.digits.resize(static_cast<std::size_t>(position));
    if (!round_up) return;
    int index = position - 1;
    while (index >= 0 && decimal.digits[static_cast<std::size_t>(index)] == '9') {
        decimal.digits[static_cast<std::size_t>(index)] = '0';
        --index;
    }
    if (index >= 0) {
        ++decimal.digits[static_cast<std::size_t>(index)];
    } else {
        // Every kept digit was a 9 (or none was kept): the carry adds a leading 1.
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.exponent;
    }
}

void strip_trailing_zeros(std::string& digits) {
    const auto last = digits.find_last_not_of('0');
    digits.resize(last == std::string::npos ? 0 : last + 1);
}

}  // namespace

char FloatDecimal::digit_at(int index) const {
    if (index < 0 || index >= static_cast<int>(digits.size())) return '0';
    return digits[static_cast<std::size_t>(index)];
}

FloatDecimal to_float_decimal(long double value, int precision, int decimals) {
    FloatDecimal decimal;
    if (std::isnan(value)) {
        decimal.kind = FloatDecimal::Kind::NaN;
        return decimal;
    }
    const bool negative = std::signbit(value);
    if (std::isinf(value)) {
        decimal.kind = FloatDecimal::Kind::Infinite;
        decimal.negative = negative;
        return decimal;
    }
    if (value == 0) return decimal;

    decimal = expand_digits(std::fabs(value));
    precision = std::clamp(precision, 1, kMaxSignificantDigits);
    // Widened before adding: decimals may be a "no limit" sentinel.
    const long long by_decimals = static_cast<long long>(decimal.exponent) + decimals;
    round_at(decimal, static_cast<int>(std::min<long long>(precision, by_decimals)));
    strip_trailing_zeros(decimal.digits);
    if (decimal.digits.empty()) {
        decimal.exponent = 0;
        return decimal;
    }
    decimal.negative = negative;
    return decimal;
}

}  // namespace tov::format
