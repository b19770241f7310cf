#include "platform/dataset/date_text.hpp"

#include <array>
#include <cctype>
#include <cstdint>
#include <vector>

namespace tov::dataset {

namespace {

struct Part {
    int64_t value = 0;
    size_t digits = 0;
};

// The digit groups of text, or nothing when one is absurdly long.
std::optional<std::vector<Part>> digit_groups(std::string_view text) {
    std::vector<Part> parts;
    bool in_group = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (!in_group) parts.emplace_back();
            in_group = true;
            Part& part = parts.back();
            if (++part.digits > 9) return std::nullopt;
            part.value = part.value * 10 + (c - '0');
        } else {
            in_group = false;
        }
    }
    return parts;
}

// Where day, month and year stand among the three date parts, from a format like "dd/mm/yyyy".
std::array<int, 3> day_month_year_slots(const std::string& short_date_format) {
    std::array<int, 3> slots{0, 1, 2};
    int next = 0;
    char previous = '\0';
    for (const char raw : short_date_format) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        if ((c == 'd' || c == 'm' || c == 'y') && c != previous && next < 3) {
            slots[c == 'd' ? 0 : c == 'm' ? 1 : 2] = next++;
        }
        if (c == 'd' || c == 'm' || c == 'y') previous = c;
    }
    return next == 3 ? slots : std::array<int, 3>{0, 1, 2};
}

bool is_leap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t days_in_month(int64_t year, int64_t month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : days[static_cast<size_t>(month - 1)];
}

int64_t days_from_civil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t year_of_era = year - era * 400;
    const int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

std::optional<double> time_fraction(const std::vector<Part>& parts, size_t first) {
    const size_t count = parts.size() - first;
    if (count == 0) return 0.0;
    if (count < 2 || count > 4) return std::nullopt;
    const int64_t hour = parts[first].value;
    const int64_t minute = parts[first + 1].value;
    const int64_t second = count > 2 ? parts[first + 2].value : 0;
    const int64_t ms = count > 3 ? parts[first + 3].value : 0;
    if (hour > 23 || minute > 59 || second > 59 || ms > 999) return std::nullopt;
    return static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + ms) / 86400000.0;
}

std::optional<double> date_days(const std::vector<Part>& parts,
                                const format::FormatSettings& settings) {
    const auto slots = day_month_year_slots(settings.short_date_format);
    const int64_t day = parts[static_cast<size_t>(slots[0])].value;
    const int64_t month = parts[static_cast<size_t>(slots[1])].value;
    const Part& year_part = parts[static_cast<size_t>(slots[2])];
    int64_t year = year_part.value;
    if (year_part.digits <= 2) year += year < 50 ? 2000 : 1900;
    if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > days_in_month(year, month)) return std::nullopt;
    return static_cast<double>(days_from_civil(year, month, day) - days_from_civil(1899, 12, 30));
}

}  // namespace

std::optional<double> parse_date_time_text(std::string_view text,
                                           const format::FormatSettings& settings) {
    const auto parts = digit_groups(text);
    if (!parts || parts->empty()) return std::nullopt;
    const bool time_only = text.find(settings.date_separator) == std::string_view::npos &&
                           text.find(settings.time_separator) != std::string_view::npos;
    if (time_only) return time_fraction(*parts, 0);
    if (parts->size() < 3) return std::nullopt;
    const auto days = date_days(*parts, settings);
    const auto fraction = time_fraction(*parts, 3);
    if (!days || !fraction) return std::nullopt;
    return *days >= 0 ? *days + *fraction : *days - *fraction;
}

}  // namespace tov::dataset
