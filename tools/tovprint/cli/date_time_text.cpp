#include "cli/date_time_text.hpp"

#include <charconv>
#include <chrono>
#include <string>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

[[noreturn]] void reject(std::string_view text) {
    throw tov::ConversionError("'" + std::string(text) +
                               "' is not a date-time like 2026-12-08 14:30");
}

// Reads exactly `digits` digits at `position`, then expects `separator` (or the end for '\0').
unsigned read_part(std::string_view text, std::size_t& position, std::size_t digits,
                   char separator) {
    unsigned value = 0;
    const char* first = text.data() + position;
    if (text.size() < position + digits) reject(text);
    const auto [last, error] = std::from_chars(first, first + digits, value);
    if (error != std::errc{} || last != first + digits) reject(text);
    position += digits;
    if (separator != '\0') {
        if (position >= text.size() || text[position] != separator) reject(text);
        ++position;
    }
    return value;
}

double days_of(unsigned year, unsigned month, unsigned day, std::string_view text) {
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(static_cast<int>(year)), std::chrono::month(month),
                              std::chrono::day(day)};
    if (year == 0 || !date.ok()) reject(text);
    constexpr year_month_day epoch{std::chrono::year(1899), December, std::chrono::day(30)};
    return static_cast<double>((sys_days(date) - sys_days(epoch)).count());
}

}  // namespace

double parse_date_time(std::string_view text) {
    std::size_t position = 0;
    const unsigned year = read_part(text, position, 4, '-');
    const unsigned month = read_part(text, position, 2, '-');
    const unsigned day = read_part(text, position, 2, '\0');
    const double days = days_of(year, month, day, text);
    if (position == text.size()) return days;
    if (text[position] != ' ' && text[position] != 'T') reject(text);
    ++position;
    const unsigned hour = read_part(text, position, 2, ':');
    const bool has_seconds = text.size() > position + 2;
    const unsigned minute = read_part(text, position, 2, has_seconds ? ':' : '\0');
    const unsigned second = has_seconds ? read_part(text, position, 2, '\0') : 0;
    if (position != text.size() || hour > 23 || minute > 59 || second > 59) reject(text);
    return days + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

}  // namespace tovprint
