#include "platform/format/format_settings.hpp"

#include <string>

#include "platform/errors/errors.hpp"

namespace tov::format {
namespace {

// A separator must be told apart from the digits it separates.
void require_separator(char value, const char* member) {
    if (value == '\0')
        throw ArgumentError(std::string("format settings: ") + member + " must not be NUL");
    if (value >= '0' && value <= '9') {
        throw ArgumentError(std::string("format settings: ") + member + " is the digit '" + value +
                            "'");
    }
}

void require_range(int value, int low, int high, const char* member) {
    if (value < low || value > high) {
        throw ArgumentError(std::string("format settings: ") + member + " is " +
                            std::to_string(value) + ", expected " + std::to_string(low) + " to " +
                            std::to_string(high));
    }
}

}  // namespace

void validate(const FormatSettings& settings) {
    require_separator(settings.decimal_separator, "decimal_separator");
    require_separator(settings.thousand_separator, "thousand_separator");
    require_separator(settings.date_separator, "date_separator");
    require_separator(settings.time_separator, "time_separator");
    // 1.234,5 could not be read back if both separators were the same character.
    if (settings.decimal_separator == settings.thousand_separator) {
        throw ArgumentError(std::string("format settings: decimal_separator and "
                                        "thousand_separator are both '") +
                            settings.decimal_separator + "'");
    }
    require_range(settings.currency_format, 0, 3, "currency_format");
    require_range(settings.negative_currency_format, 0, 15, "negative_currency_format");
    require_range(settings.currency_decimals, 0, 18, "currency_decimals");
    if (settings.short_date_format.empty())
        throw ArgumentError("format settings: short_date_format must not be empty");
}

}  // namespace tov::format
