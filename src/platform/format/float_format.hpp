#pragma once
// The number formatting routines the documents name, with the rounding of the routines they
// were written against: 18 significant digits of the value, one rounding half away from zero at
// the position the routine asks for, no "-0,00". Values are long double so that a caller can
// hand over an 80-bit intermediate unrounded; a double widens exactly.

#include <string>
#include <string_view>

#include "platform/format/format_settings.hpp"

namespace tov::format {

enum class FloatFormat { General, Exponent, Fixed, Number, Currency };

// Formats value by a pattern: '0' a mandatory digit, '#' an optional one, the first '.' the place
// of the decimal separator, any ',' turns on thousands grouping, "E+00"/"E-00" scientific
// notation, text in '...' or "..." copied without its quotes, any other character copied.
// Up to three sections separated by ';' serve positive, negative and zero values; a value that
// rounds to zero takes the zero section when there is one. An empty pattern, or a value with
// more than 18 integer digits, gives the general format with 15 digits.
std::string FormatFloat(std::string_view pattern, long double value,
                        const FormatSettings& settings = {});

// precision: significant digits, 2 to 18. digits: decimals for Fixed, Number and Currency
// (0 to 18), least exponent digits for General and Exponent (0 to 4). Fixed, Number and Currency
// switch to the general format when the integer part needs more digits than precision.
// NaN and infinities print as "NAN", "INF" and "-INF".
std::string FloatToStrF(long double value, FloatFormat format, int precision, int digits,
                        const FormatSettings& settings = {});

// The shortest general form with 15 significant digits: "7,5", "0,333333333333333", "1E15".
std::string FloatToStr(long double value, const FormatSettings& settings = {});

// Reads an optional sign, digits with the regional decimal separator and an optional exponent;
// blanks around the number are allowed. Throws tov::ConversionError for anything else.
long double StrToFloat(std::string_view text, const FormatSettings& settings = {});

bool TryStrToFloat(std::string_view text, long double& value, const FormatSettings& settings = {});

}  // namespace tov::format
