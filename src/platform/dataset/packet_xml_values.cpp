#include "platform/dataset/packet_xml_values.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tov::dataset::xml_values {

namespace {

constexpr int32_t ms_per_day_int = 86400000;

// --- calendar ---------------------------------------------------------------------------------

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t days_from_civil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + static_cast<int64_t>(day_of_era) - 719468;
}

struct CivilDate {
    int64_t year;
    unsigned month;
    unsigned day;
};

CivilDate civil_from_days(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto day_of_era = static_cast<unsigned>(days - era * 146097);
    const unsigned year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const unsigned day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const unsigned mp = (5 * day_of_year + 2) / 153;
    const unsigned day = day_of_year - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Day 1 is 0001-01-01.
constexpr int64_t day_number_offset = 719163;

bool is_leap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned days_in_month(int64_t year, unsigned month) {
    static constexpr std::array<unsigned, 12> lengths = {31, 28, 31, 30, 31, 30,
                                                         31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : lengths[month - 1];
}

bool valid_date(int64_t year, unsigned month, unsigned day) {
    return year >= 0 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= days_in_month(year, month);
}

// --- small text helpers -----------------------------------------------------------------------

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Reads exactly `count` digits at text[pos], advancing pos.
std::optional<unsigned> read_digits(std::string_view text, std::size_t& pos, std::size_t count) {
    if (pos + count > text.size()) return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!is_digit(text[pos + i])) return std::nullopt;
        value = value * 10 + static_cast<unsigned>(text[pos + i] - '0');
    }
    pos += count;
    return value;
}

bool read_char(std::string_view text, std::size_t& pos, char expected) {
    if (pos >= text.size() || text[pos] != expected) return false;
    ++pos;
    return true;
}

std::string two_digits(unsigned value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

std::string pad(uint64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string_view without_plus(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

// "1e-05" -> "1E-5", "1.5e+20" -> "1.5E20".
std::string packet_exponent(std::string text) {
    const std::size_t e = text.find('e');
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    std::string_view exponent = std::string_view(text).substr(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
        if (exponent[0] == '-') sign = "-";
        exponent.remove_prefix(1);
    }
    while (exponent.size() > 1 && exponent[0] == '0') exponent.remove_prefix(1);
    return mantissa + "E" + sign + std::string(exponent);
}

std::optional<std::string> special_double(double value) {
    if (std::isnan(value)) return std::string("NAN");
    if (std::isinf(value)) return std::string(value < 0 ? "-INF" : "INF");
    return std::nullopt;
}

// Splits a date-time at 'T' (or at a space before a time) into its date and time parts.
std::pair<std::string_view, std::string_view> split_date_time(std::string_view text) {
    std::size_t separator = text.find_first_of("Tt");
    if (separator == std::string_view::npos) {
        separator = text.find(' ');
        if (separator != std::string_view::npos &&
            text.find(':', separator) == std::string_view::npos) {
            separator = std::string_view::npos;
        }
    }
    if (separator == std::string_view::npos) return {text, {}};
    return {text.substr(0, separator), text.substr(separator + 1)};
}

struct Offset {
    int16_t hour = 0;
    int16_t minute = 0;
};

// Takes a trailing "+hh:mm" or "-hh:mm" off text.
std::optional<Offset> take_offset(std::string_view& text) {
    if (text.size() < 6) return std::nullopt;
    const std::size_t start = text.size() - 6;
    const char sign = text[start];
    if ((sign != '+' && sign != '-') || text[start + 3] != ':') return std::nullopt;
    std::size_t pos = start + 1;
    const auto hour = read_digits(text, pos, 2);
    ++pos;
    const auto minute = read_digits(text, pos, 2);
    if (!hour || !minute || *minute >= 60) return std::nullopt;
    text = text.substr(0, start);
    const int factor = sign == '-' ? -1 : 1;
    return Offset{static_cast<int16_t>(factor * static_cast<int>(*hour)),
                  static_cast<int16_t>(factor * static_cast<int>(*minute))};
}

constexpr std::string_view base64_alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64_index(char c) {
    const std::size_t index = base64_alphabet.find(c);
    return index == std::string_view::npos ? -1 : static_cast<int>(index);
}

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

// --- parsing ----------------------------------------------------------------------------------

std::optional<int64_t> parse_signed(std::string_view text) {
    text = without_plus(text);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<uint64_t> parse_unsigned(std::string_view text) {
    text = without_plus(text);
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<double> parse_double(std::string_view text) {
    text = without_plus(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<bool> parse_boolean(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text[0] == 'T' || text[0] == 't') return true;
    if (text[0] == 'F' || text[0] == 'f') return false;
    return std::nullopt;
}

std::optional<Date> parse_date(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (is_digit(c)) digits.push_back(c);
        if (digits.size() > 8) return std::nullopt;
    }
    if (digits.size() != 8) return std::nullopt;
    std::size_t pos = 0;
    const unsigned year = *read_digits(digits, pos, 4);
    const unsigned month = *read_digits(digits, pos, 2);
    const unsigned day = *read_digits(digits, pos, 2);
    if (!valid_date(year, month, day)) return std::nullopt;
    return Date{static_cast<int32_t>(days_from_civil(year, month, day) + day_number_offset)};
}

std::optional<Time> parse_time(std::string_view text) {
    std::size_t pos = 0;
    auto hour = read_digits(text, pos, 2);
    if (!hour) {
        pos = 0;
        hour = read_digits(text, pos, 1);
    }
    if (!hour || !read_char(text, pos, ':')) return std::nullopt;
    const auto minute = read_digits(text, pos, 2);
    if (!minute || !read_char(text, pos, ':')) return std::nullopt;
    const auto second = read_digits(text, pos, 2);
    if (!second) return std::nullopt;
    unsigned ms = 0;
    if (pos < text.size()) {
        read_char(text, pos, '.');
        const auto fraction = read_digits(text, pos, 3);
        if (!fraction || pos != text.size()) return std::nullopt;
        ms = *fraction;
    }
    if (*hour >= 24 || *minute >= 60 || *second >= 60) return std::nullopt;
    return Time{static_cast<int32_t>(((*hour * 60 + *minute) * 60 + *second) * 1000 + ms)};
}

std::optional<Timestamp> parse_date_time(std::string_view text) {
    const auto [date_part, time_part] = split_date_time(text);
    const auto date = parse_date(date_part);
    if (!date) return std::nullopt;
    Time time;
    if (!time_part.empty()) {
        const auto parsed = parse_time(time_part);
        if (!parsed) return std::nullopt;
        time = *parsed;
    }
    return Timestamp{static_cast<double>(date->day) * ms_per_day + time.ms};
}

std::optional<SqlTimestamp> parse_sql_timestamp(std::string_view text, bool with_offset) {
    Offset offset;
    if (with_offset) {
        if (const auto taken = take_offset(text)) offset = *taken;
    }
    const auto stamp = parse_date_time(text);
    if (!stamp) return std::nullopt;
    const auto day = static_cast<int64_t>(std::floor(stamp->ms / ms_per_day));
    const auto ms = static_cast<uint32_t>(stamp->ms - static_cast<double>(day) * ms_per_day);
    const CivilDate date = civil_from_days(day - day_number_offset);
    SqlTimestamp result;
    result.year = static_cast<int16_t>(date.year);
    result.month = static_cast<uint16_t>(date.month);
    result.day = static_cast<uint16_t>(date.day);
    result.hour = static_cast<uint16_t>(ms / 3600000);
    result.minute = static_cast<uint16_t>(ms / 60000 % 60);
    result.second = static_cast<uint16_t>(ms / 1000 % 60);
    result.fraction = ms % 1000;
    result.offset_hour = offset.hour;
    result.offset_minute = offset.minute;
    return result;
}

std::optional<std::string> decode_base64(std::string_view text) {
    std::string bytes;
    uint32_t buffer = 0;
    int bits = 0;
    std::size_t padding = 0;
    for (const char c : text) {
        if (is_space(c)) continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int index = base64_index(c);
        if (index < 0 || padding > 0) return std::nullopt;
        buffer = (buffer << 6) | static_cast<uint32_t>(index);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<char>((buffer >> bits) & 0xFF));
        }
    }
    if (padding > 2 || bits >= 6) return std::nullopt;
    return bytes;
}

// --- formatting -------------------------------------------------------------------------------

std::string format_signed(int64_t value) {
    return std::to_string(value);
}

std::string format_unsigned(uint64_t value) {
    return std::to_string(value);
}

std::string format_double(double value) {
    if (auto special = special_double(value)) return *special;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 16);
    return packet_exponent(std::string(buffer.data(), result.ptr));
}

std::string format_single(double value) {
    if (auto special = special_double(value)) return *special;
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<float>(value));
    return packet_exponent(std::string(buffer.data(), result.ptr));
}

std::string format_boolean(bool value) {
    return value ? "TRUE" : "FALSE";
}

std::optional<std::string> format_date(Date date) {
    const CivilDate civil = civil_from_days(int64_t{date.day} - day_number_offset);
    if (civil.year < 0 || civil.year > 9999) return std::nullopt;
    return pad(static_cast<uint64_t>(civil.year), 4) + two_digits(civil.month) +
           two_digits(civil.day);
}

std::optional<std::string> format_time(Time time) {
    if (time.ms < 0 || time.ms >= ms_per_day_int) return std::nullopt;
    const auto ms = static_cast<unsigned>(time.ms);
    return two_digits(ms / 3600000) + ":" + two_digits(ms / 60000 % 60) + ":" +
           two_digits(ms / 1000 % 60) + pad(ms % 1000, 3);
}

std::optional<std::string> format_date_time(Timestamp stamp) {
    constexpr double limit = 1e15;  // beyond the year 9999 either way
    if (!std::isfinite(stamp.ms) || std::fabs(stamp.ms) > limit) return std::nullopt;
    const auto total = std::llround(stamp.ms);
    auto day = total / ms_per_day_int;
    auto ms = total % ms_per_day_int;
    if (ms < 0) ms += ms_per_day_int, --day;
    auto text = format_date(Date{static_cast<int32_t>(day)});
    if (!text || ms == 0) return text;
    return *text + "T" + *format_time(Time{static_cast<int32_t>(ms)});
}

std::optional<std::string> format_sql_timestamp(const SqlTimestamp& stamp, bool with_offset) {
    if (!valid_date(stamp.year, stamp.month, stamp.day) || stamp.hour >= 24 || stamp.minute >= 60 ||
        stamp.second >= 60 || stamp.fraction >= 1000) {
        return std::nullopt;
    }
    std::string text =
        pad(static_cast<uint64_t>(stamp.year), 4) + two_digits(stamp.month) + two_digits(stamp.day);
    const int32_t ms = ((stamp.hour * 60 + stamp.minute) * 60 + stamp.second) * 1000 +
                       static_cast<int32_t>(stamp.fraction);
    if (ms != 0 || with_offset) text += "T" + *format_time(Time{ms});
    if (!with_offset) return text;
    const int hour = stamp.offset_hour;
    const int minute = stamp.offset_minute;
    if (std::abs(hour) >= 100 || std::abs(minute) >= 60) return std::nullopt;
    const bool negative = hour < 0 || minute < 0;
    return text + (negative ? "-" : "+") + two_digits(static_cast<unsigned>(std::abs(hour))) + ":" +
           two_digits(static_cast<unsigned>(std::abs(minute)));
}

std::string encode_base64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group = (group << 8) | (k < count ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            text.push_back(k <= count ? base64_alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
        }
    }
    return text;
}

}  // namespace tov::dataset::xml_values
