#pragma once
// Reading a date or date-time written as text in the regional short date format ("25/12/2024",
// "25/12/2024 13:45", "25/12/2024 13:45:30"), as filter literals and text fields hold them.

#include <optional>
#include <string_view>

#include "platform/format/format_settings.hpp"

namespace tov::dataset {

// Days since 1899-12-30 with the time of day as the fraction, or nothing when the text is no
// valid date. The order of day, month and year follows the short date format; any non-digit
// separates the parts. Two-digit years are 2000-2049 below 50 and 1950-1999 from 50 on. A time
// alone ("13:45") is read as a time of day (a date-time below 1).
std::optional<double> parse_date_time_text(std::string_view text,
                                           const format::FormatSettings& settings);

}  // namespace tov::dataset
