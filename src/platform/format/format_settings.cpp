#include "platform/format/format_settings.hpp"

#include <string>

#include "platform/errors/errors.hpp"

namespace tov::format {
namespace {

void require_separator(char value, const char* member) {
    if (value == '\0')
        throw ArgumentError(std::string("format settings: ") + member + " must not be NUL");
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
    require_range(settings.currency_format, 0, 3, "currency_format");
    require_range(settings.negative_currency_format, 0, 15, "negative_currency_format");
    require_range(settings.currency_decimals, 0, 18, "currency_decimals");
    if (settings.short_date_format.empty())
        throw ArgumentError("format settings: short_date_format must not be empty");
}

}  // namespace tov::format
