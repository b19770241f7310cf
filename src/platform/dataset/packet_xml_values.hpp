#pragma once
// The text forms of values in the rows of an XML data packet: decimal integers, doubles to 16
// significant digits, TRUE/FALSE, dates YYYYMMDD, times HH:MM:SSmmm, date-times
// YYYYMMDDTHH:MM:SSmmm and base64 for binary data. Parsing returns nothing for text that is not
// of the form; formatting returns nothing for a value the form cannot hold.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dataset/packet.hpp"

namespace tov::dataset::xml_values {

std::optional<int64_t> parse_signed(std::string_view text);
std::optional<uint64_t> parse_unsigned(std::string_view text);
std::optional<double> parse_double(std::string_view text);
// Only the first letter counts: T or t is true, F or f is false.
std::optional<bool> parse_boolean(std::string_view text);
// Eight digits YYYYMMDD; other characters between them are skipped ("2024-02-29").
std::optional<Date> parse_date(std::string_view text);
// HH:MM:SS followed by three digits of milliseconds, which may be left out.
std::optional<Time> parse_time(std::string_view text);
// A date, then optionally 'T' (or a space) and a time.
std::optional<Timestamp> parse_date_time(std::string_view text);
// A date-time, then for with_offset a sign and hh:mm.
std::optional<SqlTimestamp> parse_sql_timestamp(std::string_view text, bool with_offset);
std::optional<std::string> decode_base64(std::string_view text);

std::string format_signed(int64_t value);
std::string format_unsigned(uint64_t value);
// 16 significant digits, trailing zeros dropped; exponent form (1E-5, 1.5E20) for very large or
// small magnitudes.
std::string format_double(double value);
// The shortest text that reads back as the same single-precision value.
std::string format_single(double value);
std::string format_boolean(bool value);
std::optional<std::string> format_date(Date date);
std::optional<std::string> format_time(Time time);
// The date alone at midnight, otherwise with 'T' and the time.
std::optional<std::string> format_date_time(Timestamp stamp);
std::optional<std::string> format_sql_timestamp(const SqlTimestamp& stamp, bool with_offset);
std::string encode_base64(std::string_view bytes);

}  // namespace tov::dataset::xml_values
