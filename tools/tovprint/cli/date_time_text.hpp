#pragma once
// The --now option: "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" as a date-time in
// days since 1899-12-30 (the fraction is the time of day).

#include <string_view>

namespace tovprint {

// Throws tov::ConversionError naming the text when it is not such a date-time of the years
// 0001 to 9999.
double parse_date_time(std::string_view text);

}  // namespace tovprint
