#include "platform/format/date_format.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "platform/format/date_parts.hpp"

namespace tov::format {
namespace {

// Brazilian Portuguese names, Windows-1252.
constexpr std::array<const char*, 7> kShortDayNames = {"dom",
                                                       "seg",
                                                       "ter",
                                                       "qua",
                                                       "qui",
                                                       "sex",
                                                       "s\xE1"
                                                       "b"};
constexpr std::array<const char*, 7> kLongDayNames = {"domingo",
                                                      "segunda-feira",
                                                      "ter\xE7"
                                                      "a-feira",
                                                      "quarta-feira",
                                                      "quinta-feira",
                                                      "sexta-feira",
                                                      "s\xE1"
                                                      "bado"};
constexpr std::array<const char*, 12> kShortMonthNames = {"jan", "fev", "mar", "abr", "mai", "jun",
                                                          "jul", "ago", "set", "out", "nov", "dez"};
constexpr std::array<const char*, 12> kLongMonthNames = {"janeiro",
                                                         "fevereiro",
                                                         "mar\xE7"
                                                         "o",
                                                         "abril",
                                                         "maio",
                                                         "junho",
                                                         "julho",
                                                         "agosto",
                                                         "setembro",
                                                         "outubro",
                                                         "novembro",
                                                         "dezembro"};

constexpr std::string_view kShortTimeFormat = "hh:nn";
constexpr std::string_view kAmPm = "am/pm";
constexpr std::string_view kAP = "a/p";
constexpr std::string_view kAmPmWord = "ampm";
constexpr int kMaxNesting = 2;  // formats named inside formats expand this deep

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool starts_with_nocase(std::string_view text, std::size_t pos, std::string_view prefix) {
    if (text.size() - pos < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (upper(text[pos + i]) != upper(prefix[i])) return false;
    }
    return true;
}

std::string padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

// An hour pattern shows a 12-hour clock when the next 'a' or 'h' after it (outside quotes)
// starts am/pm, a/p or ampm.
bool twelve_hour_clock_follows(std::string_view pattern, std::size_t pos) {
    bool quoted = false;
    for (; pos < pattern.size(); ++pos) {
        const char c = upper(pattern[pos]);
        if (c == '\'' || c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == 'A') {
            return starts_with_nocase(pattern, pos, kAmPm) ||
                   starts_with_nocase(pattern, pos, kAP) ||
                   starts_with_nocase(pattern, pos, kAmPmWord);
        } else if (!quoted && c == 'H') {
            return false;
        }
    }
    return false;
}

class DateWriter {
public:
    DateWriter(const DateParts& parts, const FormatSettings& settings)
        : parts_(parts), settings_(settings) {}

    std::string take() { return std::move(out_); }

    void append(std::string_view pattern) {
        if (nesting_ >= kMaxNesting) return;
        ++nesting_;
        char last_letter = '\0';
        for (std::size_t pos = 0; pos < pattern.size();)
            pos = append_item(pattern, pos, last_letter);
        --nesting_;
    }

private:
    std::size_t append_item(std::string_view pattern, std::size_t pos, char& last_letter) {
        const char starter = pattern[pos];
        char token = upper(starter);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && last_letter == 'H') token = 'N';
            last_letter = token;
        }
        std::size_t count = 1;
        while (pos + count < pattern.size() && pattern[pos + count] == starter) ++count;
        const int repeat = static_cast<int>(count);
        switch (token) {
            case 'Y':
                out_ += repeat <= 2 ? padded(parts_.year % 100, 2) : padded(parts_.year, 4);
                break;
            case 'M':
                append_month(repeat);
                break;
            case 'D':
                append_day(repeat);
                break;
            case 'H':
                append_hour(repeat, twelve_hour_clock_follows(pattern, pos + count));
                break;
            case 'N':
                out_ += padded(parts_.minute, std::min(repeat, 2));
                break;
            case 'S':
                out_ += padded(parts_.second, std::min(repeat, 2));
                break;
            case 'Z':
                out_ += padded(parts_.millisecond, std::min(repeat, 3));
                break;
            case 'T':
                append(repeat == 1 ? kShortTimeFormat : settings_.long_time_format);
                break;
            case 'C':
                append_c();
                break;
            case 'A':
                return append_am_pm(pattern, pos);
            case '/':
                out_ += settings_.date_separator;
                return pos + 1;
            case ':':
                out_ += settings_.time_separator;
                return pos + 1;
            case '\'':
            case '"':
                return append_quoted(pattern, pos);
            default:
                out_ += starter;
                return pos + 1;
        }
        return pos + count;
    }

    void append_month(int repeat) {
        const std::size_t index = static_cast<std::size_t>(parts_.month - 1);
        if (repeat <= 2) {
            out_ += padded(parts_.month, repeat);
        } else {
            out_ += repeat == 3 ? kShortMonthNames[index] : kLongMonthNames[index];
        }
    }

    void append_day(int repeat) {
        const std::size_t weekday = static_cast<std::size_t>(parts_.day_of_week);
        switch (repeat) {
            case 1:
            case 2:
                out_ += padded(parts_.day, repeat);
                break;
            case 3:
                out_ += kShortDayNames[weekday];
                break;
            case 4:
                out_ += kLongDayNames[weekday];
                break;
            default:
                append(settings_.short_date_format);
                break;  // 5 and 6 (long date) alike
        }
    }

    void append_hour(int repeat, bool twelve_hour_clock) {
        int hour = parts_.hour;
        if (twelve_hour_clock) {
            if (hour == 0) {
                hour = 12;
            } else if (hour > 12) {
                hour -= 12;
            }
        }
        out_ += padded(hour, std::min(repeat, 2));
    }

    void append_c() {
        append(settings_.short_date_format);
        if (parts_.hour != 0 || parts_.minute != 0 || parts_.second != 0) {
            out_ += ' ';
            append(settings_.long_time_format);
        }
    }

    // am/pm and a/p keep the letter case of the pattern; ampm writes "AM" or "PM".
    std::size_t append_am_pm(std::string_view pattern, std::size_t pos) {
        const bool afternoon = parts_.hour >= 12;
        if (starts_with_nocase(pattern, pos, kAmPm)) {
            out_.append(pattern.substr(pos + (afternoon ? 3 : 0), 2));
            return pos + kAmPm.size();
        }
        if (starts_with_nocase(pattern, pos, kAP)) {
            out_ += pattern[pos + (afternoon ? 2 : 0)];
            return pos + kAP.size();
        }
        if (starts_with_nocase(pattern, pos, kAmPmWord)) {
            out_ += afternoon ? "PM" : "AM";
            return pos + kAmPmWord.size();
        }
        out_ += pattern[pos];
        return pos + 1;
    }

    std::size_t append_quoted(std::string_view pattern, std::size_t pos) {
        const std::size_t close = pattern.find(pattern[pos], pos + 1);
        const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
        out_.append(pattern.substr(pos + 1, end - pos - 1));
        return close == std::string_view::npos ? end : end + 1;
    }

    const DateParts& parts_;
    const FormatSettings& settings_;
    std::string out_;
    int nesting_ = 0;
};

}  // namespace

std::string FormatDateTime(std::string_view pattern, double date_time,
                           const FormatSettings& settings) {
    const DateParts parts = split_date_time(date_time);
    DateWriter writer(parts, settings);
    writer.append(pattern.empty() ? std::string_view("c") : pattern);
    return writer.take();
}

std::string DateToStr(double date_time, const FormatSettings& settings) {
    return FormatDateTime("ddddd", date_time, settings);
}

std::string DateTimeToStr(double date_time, const FormatSettings& settings) {
    return FormatDateTime("c", date_time, settings);
}

std::string TimeToStr(double date_time, const FormatSettings& settings) {
    return FormatDateTime("tt", date_time, settings);
}

}  // namespace tov::format
