#include "lookups/short_date.hpp"

#include <cmath>

#include "platform/errors/errors.hpp"

namespace tov::lookups {

namespace {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Days since 1899-12-30 to year, month and day (proleptic Gregorian).
CivilDate civil_from_days(long days_since_1899) {
    const long z = days_since_1899 - 25569 + 719468;  // days since 0000-03-01
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

std::string padded(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::size_t run_length(const std::string& format, std::size_t pos) {
    std::size_t end = pos;
    const char letter = static_cast<char>(format[pos] | 0x20);
    while (end < format.size() && static_cast<char>(format[end] | 0x20) == letter) ++end;
    return end - pos;
}

[[noreturn]] void unsupported(const std::string& format) {
    throw ConversionError("short date format '" + format +
                          "': names of months or days are not supported");
}

}  // namespace

std::string format_short_date(double days, const format::FormatSettings& settings) {
    if (!std::isfinite(days) || days < -693593.0 || days >= 2958466.0)
        throw ConversionError("date " + std::to_string(days) + " is outside the years 1 to 9999");
    const CivilDate date = civil_from_days(static_cast<long>(std::trunc(days)));
    const std::string& format = settings.short_date_format;
    std::string text;
    for (std::size_t pos = 0; pos < format.size();) {
        const char c = format[pos];
        const char letter = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            const auto close = format.find(c, pos + 1);
            const auto end = close == std::string::npos ? format.size() : close;
            text.append(format, pos + 1, end - pos - 1);
            pos = end + 1;
            continue;
        }
        if (c == '/') {
            text.push_back(settings.date_separator);
            ++pos;
            continue;
        }
        if (letter != 'd' && letter != 'm' && letter != 'y') {
            text.push_back(c);
            ++pos;
            continue;
        }
        const std::size_t count = run_length(format, pos);
        if (letter == 'y')
            text += count <= 2 ? padded(date.year % 100, 2) : padded(date.year, 4);
        else if (count > 2)
            unsupported(format);
        else
            text += padded(letter == 'd' ? date.day : date.month, count);
        pos += count;
    }
    return text;
}

}  // namespace tov::lookups
