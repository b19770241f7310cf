#include "platform/dataset/value_reading.hpp"

#include <cmath>
#include <type_traits>

#include "platform/text/cp1252.hpp"

namespace tov::dataset {

namespace {

constexpr double days_in_ms = ms_per_day;

// Day number of a civil date counted from 1970-01-01 (proleptic Gregorian).
int64_t days_from_civil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + static_cast<int64_t>(day_of_era) - 719468;
}

// A date part and a time-of-day part joined the way date-times before 1899-12-30 are kept:
// the fraction always counts away from zero.
double join_date_and_time(double days, double fraction) {
    return days >= 0 ? days + fraction : days - fraction;
}

}  // namespace

ValueClass value_class_of(const Field& field) {
    switch (field.type()) {
        case TypeCode::ZString:
        case TypeCode::Unicode:
        case TypeCode::Bytes:
            return ValueClass::Text;
        case TypeCode::Int:
        case TypeCode::UInt:
        case TypeCode::Float:
        case TypeCode::Single:
        case TypeCode::Bcd:
        case TypeCode::FmtBcd:
        case TypeCode::BigDecimal:
            return ValueClass::Number;
        case TypeCode::Date:
        case TypeCode::Time:
        case TypeCode::Timestamp:
        case TypeCode::SqlTimestamp:
        case TypeCode::SqlTimestampOffset:
            return ValueClass::DateTime;
        case TypeCode::Bool:
            return ValueClass::Boolean;
        default:
            return ValueClass::Unsupported;
    }
}

const char* value_class_name(ValueClass value_class) {
    switch (value_class) {
        case ValueClass::Text:
            return "text";
        case ValueClass::Number:
            return "number";
        case ValueClass::DateTime:
            return "date-time";
        case ValueClass::Boolean:
            return "Boolean";
        case ValueClass::Unsupported:
            break;
    }
    return "unsupported";
}

bool is_null_value(const Value& value) {
    if (const auto* decimal = std::get_if<Bcd>(&value)) return decimal->special();
    return std::holds_alternative<Null>(value) || std::holds_alternative<Unchanged>(value);
}

std::optional<std::string> stored_text(const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* wide = std::get_if<WideText>(&value)) return text::utf16_to_cp1252(wide->text);
    return std::nullopt;
}

std::optional<double> stored_number(const Value& value) {
    return std::visit(
        [](const auto& v) -> std::optional<double> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, int64_t> || std::is_same_v<T, uint64_t> ||
                          std::is_same_v<T, double>) {
                return static_cast<double>(v);
            } else if constexpr (std::is_same_v<T, Bcd>) {
                return static_cast<double>(v.to_long_double());
            } else {
                return std::nullopt;
            }
        },
        value);
}

std::optional<double> stored_date_time(const Value& value) {
    return std::visit(
        [](const auto& v) -> std::optional<double> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Date> || std::is_same_v<T, Time> ||
                          std::is_same_v<T, Timestamp> || std::is_same_v<T, SqlTimestamp>) {
                return date_time_of(v);
            } else {
                return std::nullopt;
            }
        },
        value);
}

std::optional<bool> stored_boolean(const Value& value) {
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    return std::nullopt;
}

std::optional<double> stored_numeric(const Value& value) {
    if (auto number = stored_number(value)) return number;
    return stored_date_time(value);
}

double date_time_of(Date date) {
    return static_cast<double>(date.day) - date_delta;
}

double date_time_of(Time time) {
    return time.ms / days_in_ms;
}

double date_time_of(const Timestamp& timestamp) {
    const double day = std::floor(timestamp.ms / days_in_ms);
    const double fraction = (timestamp.ms - day * days_in_ms) / days_in_ms;
    return join_date_and_time(day - date_delta, fraction);
}

double date_time_of(const SqlTimestamp& timestamp) {
    const int64_t epoch = days_from_civil(1899, 12, 30);
    const int64_t day = days_from_civil(timestamp.year, timestamp.month, timestamp.day) - epoch;
    const double ms =
        ((timestamp.hour * 60.0 + timestamp.minute) * 60.0 + timestamp.second) * 1000.0 +
        timestamp.fraction;
    return join_date_and_time(static_cast<double>(day), ms / days_in_ms);
}

std::string decimal_text(const Bcd& value, char decimal_separator) {
    std::string text = value.to_string();
    const auto point = text.find('.');
    if (point == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') {
        text.pop_back();
    } else {
        text[point] = decimal_separator;
    }
    if (text == "-0") text = "0";
    return text;
}

}  // namespace tov::dataset
