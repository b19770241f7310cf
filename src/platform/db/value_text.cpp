#include "platform/db/value_text.hpp"

#include <charconv>
#include <cmath>

#include "platform/errors/errors.hpp"

namespace tov::db {

namespace {

[[noreturn]] void fail(std::string_view what, std::string_view text) {
    throw ConversionError("database value '" + std::string(text) + "' is not " + std::string(what));
}

// "+.5", "-.5" and ".5" as from_chars wants them.
std::string with_leading_zero(std::string_view text) {
    std::string value(text);
    if (!value.empty() && value[0] == '+') value.erase(0, 1);
    const std::size_t at = !value.empty() && value[0] == '-' ? 1 : 0;
    if (at < value.size() && value[at] == '.') value.insert(at, "0");
    return value;
}

int read_int(std::string_view text, std::size_t& pos, std::size_t digits, std::string_view whole) {
    int value = 0;
    if (pos + digits > text.size()) fail("a date-time", whole);
    const auto result = std::from_chars(text.data() + pos, text.data() + pos + digits, value);
    if (result.ec != std::errc() || result.ptr != text.data() + pos + digits)
        fail("a date-time", whole);
    pos += digits;
    return value;
}

void expect(std::string_view text, std::size_t& pos, std::string_view choices,
            std::string_view whole) {
    if (pos >= text.size() || choices.find(text[pos]) == std::string_view::npos)
        fail("a date-time", whole);
    ++pos;
}

// Days from 1899-12-30 to the given day (proleptic Gregorian).
double days_of(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days_since_1970 = static_cast<long>(era) * 146097 + doe - 719468;
    return static_cast<double>(days_since_1970 + 25569);
}

int days_in_month(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

double number_from_text(std::string_view text) {
    const std::string value = with_leading_zero(text);
    double number = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || result.ec != std::errc() || result.ptr != value.data() + value.size())
        fail("a number", text);
    return number;
}

std::string plain_decimal(std::string_view text) {
    const std::string value = with_leading_zero(text);
    if (value.find_first_of("eE") == std::string::npos) {
        number_from_text(value);
        return value;
    }
    const double number = number_from_text(value);
    char buffer[128];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(number)) fail("a decimal", text);
    return std::string(buffer, result.ptr);
}

double date_time_from_text(std::string_view text) {
    std::size_t pos = 0;
    const int year = read_int(text, pos, 4, text);
    expect(text, pos, "-", text);
    const int month = read_int(text, pos, 2, text);
    expect(text, pos, "-", text);
    const int day = read_int(text, pos, 2, text);
    if (month < 1 || month > 12 || day < 1 || day > days_in_month(year, month))
        fail("a date-time", text);
    double days = days_of(year, month, day);
    if (pos == text.size()) return days;
    expect(text, pos, " T", text);
    const int hour = read_int(text, pos, 2, text);
    expect(text, pos, ":", text);
    const int minute = read_int(text, pos, 2, text);
    int second = 0;
    double fraction = 0;
    if (pos < text.size()) {
        expect(text, pos, ":", text);
        second = read_int(text, pos, 2, text);
        if (pos < text.size()) {
            expect(text, pos, ".", text);
            const std::string digits = "0." + std::string(text.substr(pos));
            fraction = number_from_text(digits);
        }
    }
    if (hour > 23 || minute > 59 || second > 59) fail("a date-time", text);
    const double ms = std::round(((hour * 60.0 + minute) * 60.0 + second + fraction) * 1000.0);
    days += (days >= 0 ? 1 : -1) * ms / 86400000.0;
    return days;
}

}  // namespace tov::db
