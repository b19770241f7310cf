// The calendar arithmetic of date-time values: encoding, decoding, the day of the week.

#include <cmath>
#include <string>

#include "platform/errors/errors.hpp"
#include "platform/format/date_format.hpp"
#include "platform/format/date_parts.hpp"

namespace tov::format {
namespace {

constexpr long long kMillisecondsPerDay = 86'400'000;
constexpr long long kDaysFrom1970To1899_12_30 = -25'569;
constexpr long long kFirstDay = -693'593;  // 0001-01-01
constexpr long long kLastDay = 2'958'465;  // 9999-12-31

bool is_leap_year(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int days_in_month(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap_year(year) ? 29 : kDays[month - 1];
}

// Proleptic Gregorian calendar, days counted from 1970-01-01 (H. Hinnant's algorithms).
long long days_from_civil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long year_of_era = year - era * 400;
    const long long day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

void civil_from_days(long long days, DateParts& parts) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long day_of_era = days - era * 146097;
    const long long year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const long long day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const long long shifted_month = (5 * day_of_year + 2) / 153;
    parts.day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    parts.month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    parts.year = static_cast<int>(year_of_era + era * 400 + (parts.month <= 2));
}

[[noreturn]] void throw_out_of_range(double date_time) {
    throw ConversionError("date-time value " + std::to_string(date_time) +
                          " is outside the years 1 to 9999");
}

}  // namespace

bool is_valid_date(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= days_in_month(year, month);
}

long long days_from_date(int year, int month, int day) {
    return days_from_civil(year, month, day) - kDaysFrom1970To1899_12_30;
}

DateParts split_date_time(double date_time) {
    if (!std::isfinite(date_time) || std::fabs(date_time) > static_cast<double>(kLastDay + 1))
        throw_out_of_range(date_time);
    // Multiplied in extended precision and rounded to the nearest, halves to even.
    const long long total = static_cast<long long>(
        std::nearbyint(static_cast<long double>(date_time) * kMillisecondsPerDay));
    const long long magnitude = total < 0 ? -total : total;
    const long long day =
        total < 0 ? -(magnitude / kMillisecondsPerDay) : magnitude / kMillisecondsPerDay;
    if (day < kFirstDay || day > kLastDay) throw_out_of_range(date_time);
    long long time = magnitude % kMillisecondsPerDay;

    DateParts parts;
    civil_from_days(day + kDaysFrom1970To1899_12_30, parts);
    parts.day_of_week = static_cast<int>(((day % 7) + 13) % 7);  // day 0 was a Saturday
    parts.millisecond = static_cast<int>(time % 1000);
    time /= 1000;
    parts.second = static_cast<int>(time % 60);
    time /= 60;
    parts.minute = static_cast<int>(time % 60);
    parts.hour = static_cast<int>(time / 60);
    return parts;
}

double EncodeDate(int year, int month, int day) {
    if (!is_valid_date(year, month, day)) {
        throw ConversionError("invalid date: year " + std::to_string(year) + ", month " +
                              std::to_string(month) + ", day " + std::to_string(day));
    }
    return static_cast<double>(days_from_date(year, month, day));
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        throw ConversionError("invalid time: " + std::to_string(hour) + ":" +
                              std::to_string(minute) + ":" + std::to_string(second) + "." +
                              std::to_string(millisecond));
    }
    const long long total = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(total) / kMillisecondsPerDay;
}

void DecodeDate(double date_time, int& year, int& month, int& day) {
    const DateParts parts = split_date_time(date_time);
    year = parts.year;
    month = parts.month;
    day = parts.day;
}

void DecodeTime(double date_time, int& hour, int& minute, int& second, int& millisecond) {
    const DateParts parts = split_date_time(date_time);
    hour = parts.hour;
    minute = parts.minute;
    second = parts.second;
    millisecond = parts.millisecond;
}

}  // namespace tov::format
