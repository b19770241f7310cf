#pragma once
// Dates and times as the documents handle them: a double counting days since 1899-12-30, the
// fraction being the time of day. Formatting follows the usual pattern letters with the regional
// separators and the Brazilian Portuguese day and month names (Windows-1252 text).

#include <string>
#include <string_view>

#include "platform/format/format_settings.hpp"

namespace tov::format {

// Pattern letters, case-insensitive: d dd (day), ddd dddd (day name), ddddd (short date),
// dddddd (long date, here the short date), m mm mmm mmmm (month; minutes right after h or hh),
// yy yyyy, h hh, n nn, s ss, z zzz, t (short time) tt (long time), c (short date and, unless
// midnight, long time), am/pm a/p ampm (12-hour clock), '/' and ':' the regional separators,
// text in '...' or "..." copied without quotes. Milliseconds are rounded to the nearest before
// the value is split; the time of a negative value is the time of its absolute value.
// Throws tov::ConversionError for a value outside the years 1 to 9999 (or not finite).
std::string FormatDateTime(std::string_view pattern, double date_time,
                           const FormatSettings& settings = {});

std::string DateToStr(double date_time, const FormatSettings& settings = {});
// The date, and the long time unless the value is exactly midnight.
std::string DateTimeToStr(double date_time, const FormatSettings& settings = {});
std::string TimeToStr(double date_time, const FormatSettings& settings = {});

// Throw tov::ConversionError when the date or time does not exist.
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second, int millisecond);

// Throws tov::ConversionError for a value outside the years 1 to 9999 (or not finite).
void DecodeDate(double date_time, int& year, int& month, int& day);
void DecodeTime(double date_time, int& hour, int& minute, int& second, int& millisecond);

// Reads day, month and year in the order of the short date format, separated by the date
// separator; blanks around are allowed. A year of one or two digits lies within 50 years of the
// current one. Throws tov::ConversionError "'...' is not a valid date".
double StrToDate(std::string_view text, const FormatSettings& settings = {});

}  // namespace tov::format
