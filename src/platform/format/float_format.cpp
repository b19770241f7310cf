#include "platform/format/float_format.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/format/float_decimal.hpp"

namespace tov::format {
namespace {

constexpr int kNoDecimalLimit = std::numeric_limits<int>::max();
constexpr int kMaxExponentDigits = 4;
constexpr int kGeneralPrecision = 15;

std::string special_text(const FloatDecimal& decimal) {
    if (decimal.kind == FloatDecimal::Kind::NaN) return "NAN";
    return decimal.negative ? "-INF" : "INF";
}

void append_exponent(std::string& out, int exponent, bool always_signed, int least_digits) {
    if (exponent < 0) {
        out += '-';
    } else if (always_signed) {
        out += '+';
    }
    const std::string magnitude = std::to_string(std::abs(exponent));
    out.append(
        static_cast<std::size_t>(std::max(0, least_digits - static_cast<int>(magnitude.size()))),
        '0');
    out += magnitude;
}

// Digits of the integer part, "0" when there is none.
std::string integer_digits(const FloatDecimal& decimal) {
    if (decimal.exponent <= 0) return "0";
    std::string out;
    for (int i = 0; i < decimal.exponent; ++i) out += decimal.digit_at(i);
    return out;
}

std::string fraction_digits(const FloatDecimal& decimal, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += decimal.digit_at(decimal.exponent + i);
    return out;
}

std::string general_text(const FloatDecimal& decimal, int precision, int exponent_digits,
                         const FormatSettings& settings) {
    if (decimal.kind != FloatDecimal::Kind::Finite) return special_text(decimal);
    if (decimal.is_zero()) return "0";
    std::string out = decimal.negative ? "-" : "";
    const int digit_count = static_cast<int>(decimal.digits.size());
    if (decimal.exponent > precision || decimal.exponent < -3) {
        out += decimal.digits[0];
        if (digit_count > 1) {
            out += settings.decimal_separator;
            out.append(decimal.digits, 1);
        }
        out += 'E';
        append_exponent(out, decimal.exponent - 1, false, exponent_digits);
        return out;
    }
    out += integer_digits(decimal);
    const int fraction_count = digit_count - std::max(decimal.exponent, 0);
    if (fraction_count > 0) {
        out += settings.decimal_separator;
        out += fraction_digits(decimal, fraction_count + std::max(0, -decimal.exponent));
    }
    return out;
}

std::string exponent_text(const FloatDecimal& decimal, int precision, int exponent_digits,
                          const FormatSettings& settings) {
    if (decimal.kind != FloatDecimal::Kind::Finite) return special_text(decimal);
    std::string out = decimal.negative ? "-" : "";
    out += decimal.digit_at(0);
    out += settings.decimal_separator;
    for (int i = 1; i < precision; ++i) out += decimal.digit_at(i);
    out += 'E';
    append_exponent(out, decimal.is_zero() ? 0 : decimal.exponent - 1, true, exponent_digits);
    return out;
}

std::string group_thousands(const std::string& digits, char separator) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        out += digits[i];
        const std::size_t remaining = digits.size() - 1 - i;
        if (remaining > 0 && remaining % 3 == 0) out += separator;
    }
    return out;
}

// The magnitude in fixed notation: integer digits (grouped or not), then the decimals.
std::string unsigned_fixed_text(const FloatDecimal& decimal, int decimals, bool grouped,
                                const FormatSettings& settings) {
    std::string out = integer_digits(decimal);
    if (grouped) out = group_thousands(out, settings.thousand_separator);
    if (decimals > 0) {
        out += settings.decimal_separator;
        out += fraction_digits(decimal, decimals);
    }
    return out;
}

// Layouts of the currency amount: '$' stands for the currency string, '1' for the number.
constexpr std::array<const char*, 4> kPositiveCurrency = {"$1", "1$", "$ 1", "1 $"};
constexpr std::array<const char*, 16> kNegativeCurrency = {
    "($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
    "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)",
};

std::string currency_text(const FloatDecimal& decimal, int decimals,
                          const FormatSettings& settings) {
    validate(settings);
    const std::string number = unsigned_fixed_text(decimal, decimals, true, settings);
    const char* layout =
        decimal.negative
            ? kNegativeCurrency[static_cast<std::size_t>(settings.negative_currency_format)]
            : kPositiveCurrency[static_cast<std::size_t>(settings.currency_format)];
    std::string out;
    for (const char* c = layout; *c != '\0'; ++c) {
        if (*c == '$') {
            out += settings.currency_string;
        } else if (*c == '1') {
            out += number;
        } else {
            out += *c;
        }
    }
    return out;
}

std::string fixed_family_text(long double value, FloatFormat format, int precision, int digits,
                              const FormatSettings& settings) {
    digits = std::clamp(digits, 0, kMaxSignificantDigits);
    const FloatDecimal decimal = to_float_decimal(value, precision, digits);
    if (decimal.kind != FloatDecimal::Kind::Finite) return special_text(decimal);
    // Too many integer digits for the precision: general notation, without currency symbol
    // and with the exponent as short as it goes ("1E15" whatever the number of decimals).
    if (decimal.exponent > precision) return general_text(decimal, precision, 0, settings);
    if (format == FloatFormat::Currency) return currency_text(decimal, digits, settings);
    const std::string sign = decimal.negative ? "-" : "";
    return sign + unsigned_fixed_text(decimal, digits, format == FloatFormat::Number, settings);
}

}  // namespace

std::string FloatToStrF(long double value, FloatFormat format, int precision, int digits,
                        const FormatSettings& settings) {
    precision = std::clamp(precision, 2, kMaxSignificantDigits);
    switch (format) {
        case FloatFormat::General:
            return general_text(to_float_decimal(value, precision, kNoDecimalLimit), precision,
                                std::clamp(digits, 0, kMaxExponentDigits), settings);
        case FloatFormat::Exponent:
            return exponent_text(to_float_decimal(value, precision, kNoDecimalLimit), precision,
                                 std::clamp(digits, 0, kMaxExponentDigits), settings);
        case FloatFormat::Fixed:
        case FloatFormat::Number:
        case FloatFormat::Currency:
            break;
    }
    return fixed_family_text(value, format, precision, digits, settings);
}

std::string FloatToStr(long double value, const FormatSettings& settings) {
    return FloatToStrF(value, FloatFormat::General, kGeneralPrecision, 0, settings);
}

}  // namespace tov::format
