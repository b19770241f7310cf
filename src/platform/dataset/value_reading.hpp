#pragma once
// Typed views of one stored column value, shared by the field readers, filters, locate and
// indexes. Each returns nothing when the value is NULL or of another kind; callers decide
// whether that is a NULL reading or an error.

#include <optional>
#include <string>

#include "platform/dataset/packet.hpp"

namespace tov::dataset {

// How a field's values compare: as text, as numbers, as date-times or as Booleans.
enum class ValueClass { Text, Number, DateTime, Boolean, Unsupported };

ValueClass value_class_of(const Field& field);
const char* value_class_name(ValueClass value_class);

// NULL, not changed, or a decimal marked special (blank: it holds no number).
bool is_null_value(const Value& value);

// 8-bit and wide strings, memos and blobs, as Windows-1252 bytes.
std::optional<std::string> stored_text(const Value& value);
// Integers, floating-point numbers and decimals.
std::optional<double> stored_number(const Value& value);
// Dates, times and timestamps as days since 1899-12-30 (time of day as the fraction).
std::optional<double> stored_date_time(const Value& value);
std::optional<bool> stored_boolean(const Value& value);
// A number, or else a date-time as days: how number and date-time fields compare.
std::optional<double> stored_numeric(const Value& value);

double date_time_of(Date date);
double date_time_of(Time time);
double date_time_of(const Timestamp& timestamp);
double date_time_of(const SqlTimestamp& timestamp);

// A decimal's exact text with the given decimal separator and no trailing fraction zeros
// ("12,5", "-3", "0").
std::string decimal_text(const Bcd& value, char decimal_separator);

}  // namespace tov::dataset
