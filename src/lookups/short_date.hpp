#pragma once
// A date as text in the short date format of the regional settings ("dd/mm/yyyy"): d and dd
// the day, m and mm the month, yy and yyyy the year, '/' the date separator, quoted text as
// it is. The till lookup compares this text with the date the database writes.

#include <string>

#include "platform/format/format_settings.hpp"

namespace tov::lookups {

// days: a date-time as days since 1899-12-30; its time of day is ignored. Throws
// tov::ConversionError for a date outside the years 1 to 9999 or a format with names of
// months or days (mmm, ddd), which a date compared with the database's text cannot use.
std::string format_short_date(double days, const format::FormatSettings& settings);

}  // namespace tov::lookups
