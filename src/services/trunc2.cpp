#include "services/trunc2.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/errors/errors.hpp"

namespace tov::services {
namespace {

constexpr int kSignificantDigits = 15;
constexpr int kMinimumDecimals = 3;
constexpr int kKeptDecimals = 2;

// From here on a long double holds no fraction, so there is nothing to drop.
constexpr long double kWholeNumbersOnly = 0x1p63L;

// Room for a sign, 19 integer digits, the point and up to 16 decimals.
using DecimalText = std::array<char, 64>;

// The value written in `format` with `precision` digits. The text always fits: callers pass
// values below kWholeNumbersOnly and at most 16 decimals.
std::string_view write_decimal(DecimalText& text, long double value, std::chars_format format,
                               int precision) {
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, format, precision);
    if (error != std::errc{}) {
        throw ConversionError("Trunc2: cannot write the amount with " + std::to_string(precision) +
                              " digits");
    }
    return {text.data(), static_cast<std::size_t>(end - text.data())};
}

// The decimal exponent of the value once rounded to kSignificantDigits digits.
int rounded_exponent(long double value) {
    DecimalText text{};
    const std::string_view digits =
        write_decimal(text, value, std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view exponent_text = digits.substr(digits.find('e') + 1);
    if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponent_text.data(), exponent_text.data() + exponent_text.size(), exponent);
    return exponent;
}

}  // namespace

double Trunc2(long double value) {
    if (!std::isfinite(value)) return static_cast<double>(value);
    if (std::fabs(value) >= kWholeNumbersOnly) return static_cast<double>(value);
    if (value == 0) return 0.0;

    const int exponent = rounded_exponent(value);
    if (exponent < -kKeptDecimals) return 0.0;  // below a cent once rounded
    const int decimals = std::max(kSignificantDigits - 1 - exponent, kMinimumDecimals);

    DecimalText text{};
    const std::string_view fixed = write_decimal(text, value, std::chars_format::fixed, decimals);
    const std::size_t kept_length = fixed.find('.') + 1 + kKeptDecimals;

    double truncated = 0.0;
    std::from_chars(fixed.data(), fixed.data() + kept_length, truncated);
    return truncated == 0.0 ? 0.0 : truncated;
}

}  // namespace tov::services
