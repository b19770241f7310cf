#pragma once
// The text forms in which drivers hand values over, read back as numbers and date-times.

#include <string>
#include <string_view>

namespace tov::db {

// "-1234.5", "1e-05", ".50" -> double. Throws tov::ConversionError naming the text.
double number_from_text(std::string_view text);

// "-1234.5", ".50", "1E+2" -> "-1234.5", "0.50", "100": a plain decimal for a fixed-point value.
// Throws tov::ConversionError.
std::string plain_decimal(std::string_view text);

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" (or with 'T', and fractions of a second) -> days since
// 1899-12-30. Throws tov::ConversionError.
double date_time_from_text(std::string_view text);

}  // namespace tov::db
