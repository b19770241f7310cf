// StrToDate: a date typed in the order of the regional short date format.

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "platform/errors/errors.hpp"
#include "platform/format/date_format.hpp"
#include "platform/format/date_parts.hpp"

namespace tov::format {
namespace {

constexpr int kCenturyWindow = 50;
constexpr std::size_t kMaxNumberDigits = 4;

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

DateOrder date_order(std::string_view short_date_format) {
    for (const char c : short_date_format) {
        switch (c) {
            case 'm':
            case 'M':
                return DateOrder::MonthDayYear;
            case 'y':
            case 'Y':
                return DateOrder::YearMonthDay;
            case 'd':
            case 'D':
                return DateOrder::DayMonthYear;
            default:
                break;
        }
    }
    return DateOrder::DayMonthYear;
}

struct Number {
    int value = 0;
    std::size_t digits = 0;
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<Number> scan_number(std::string_view text, std::size_t& pos) {
    Number number;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (++number.digits > kMaxNumberDigits) return std::nullopt;
        number.value = number.value * 10 + (text[pos++] - '0');
    }
    if (number.digits == 0) return std::nullopt;
    return number;
}

int current_year() {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

// A year typed with one or two digits lies within the 50 years either side of this one.
int expand_year(const Number& year) {
    if (year.digits > 2) return year.value;
    const int century_base = current_year() - kCenturyWindow;
    int expanded = year.value + century_base / 100 * 100;
    if (expanded < century_base) expanded += 100;
    return expanded;
}

std::optional<double> parse_date(std::string_view text, const FormatSettings& settings) {
    std::size_t pos = 0;
    while (pos < text.size() && is_blank(text[pos])) ++pos;
    std::array<Number, 3> numbers;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != settings.date_separator) return std::nullopt;
            ++pos;
        }
        const std::optional<Number> number = scan_number(text, pos);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    while (pos < text.size() && is_blank(text[pos])) ++pos;
    if (pos != text.size()) return std::nullopt;

    Number day, month, year;
    switch (date_order(settings.short_date_format)) {
        case DateOrder::DayMonthYear:
            day = numbers[0], month = numbers[1], year = numbers[2];
            break;
        case DateOrder::MonthDayYear:
            month = numbers[0], day = numbers[1], year = numbers[2];
            break;
        case DateOrder::YearMonthDay:
            year = numbers[0], month = numbers[1], day = numbers[2];
            break;
    }
    const int full_year = expand_year(year);
    if (!is_valid_date(full_year, month.value, day.value)) return std::nullopt;
    return static_cast<double>(days_from_date(full_year, month.value, day.value));
}

}  // namespace

double StrToDate(std::string_view text, const FormatSettings& settings) {
    if (const std::optional<double> date = parse_date(text, settings)) return *date;
    throw ConversionError("'" + std::string(text) + "' is not a valid date");
}

}  // namespace tov::format
