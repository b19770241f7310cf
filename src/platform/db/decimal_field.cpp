#include "platform/db/decimal_field.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/value_text.hpp"
#include "platform/errors/errors.hpp"

namespace tov::db {

namespace {

using dataset::TypeCode;

dataset::Param uint16_param(const char* name, int value) {
    return dataset::Param::make_integer(name, TypeCode::UInt, 2, std::clamp(value, 0, 0xFFFF));
}

dataset::Field bcd_field(const std::string& name, int precision, int scale) {
    precision = std::clamp(precision, 1, max_bcd_precision);
    scale = std::clamp(scale, 0, precision);
    dataset::Field field;
    field.name = name;
    field.type_word =
        dataset::make_type_word(TypeCode::Bcd, static_cast<uint16_t>((precision + 1) / 2 + 2));
    field.params.push_back(uint16_param("WIDTH", precision));
    field.params.push_back(uint16_param("DECIMALS", scale));
    return field;
}

dataset::Field float_field(const std::string& name) {
    dataset::Field field;
    field.name = name;
    field.type_word = dataset::make_type_word(TypeCode::Float, 8);
    return field;
}

// The digits of a plain decimal before its point (leading zeros aside) and after it.
struct DecimalDigits {
    int whole = 0;
    int decimals = 0;
};

DecimalDigits digits_of(std::string_view plain) {
    if (!plain.empty() && plain.front() == '-') plain.remove_prefix(1);
    const std::size_t point = std::min(plain.find('.'), plain.size());
    const std::string_view whole = plain.substr(0, point);
    const std::size_t first = std::min(whole.find_first_not_of('0'), whole.size());
    const std::size_t decimals = point < plain.size() ? plain.size() - point - 1 : 0;
    return {static_cast<int>(whole.size() - first), static_cast<int>(decimals)};
}

// The plain form of every value of the column. A value that is not a number is left out: the
// provider's conversion names its row.
std::vector<std::string> plain_values(const Query& query, std::size_t column) {
    std::vector<std::string> values;
    for (const auto& row : query.rows()) {
        if (!row[column]) continue;
        try {
            values.push_back(plain_decimal(*row[column]));
        } catch (const ConversionError&) {
        }
    }
    return values;
}

std::string_view without_trailing_zeros(std::string_view plain) {
    if (plain.find('.') == std::string_view::npos) return plain;
    plain.remove_suffix(plain.size() - plain.find_last_not_of('0') - 1);
    if (plain.back() == '.') plain.remove_suffix(1);
    return plain;
}

// Whether the double nearest to a plain decimal is that decimal: written out in full with the
// fewest digits that read back as it, the double has the same digits.
bool is_exact_double(const std::string& plain) {
    const double value = number_from_text(plain);
    std::array<char, 512> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return result.ec == std::errc() &&
           without_trailing_zeros(std::string_view(
               buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()))) ==
               without_trailing_zeros(plain);
}

dataset::Field field_sized_to_values(const Query& query, std::size_t column) {
    const std::string& name = query.columns()[column].name;
    const std::vector<std::string> values = plain_values(query, column);
    DecimalDigits widest;
    for (const auto& value : values) {
        const DecimalDigits digits = digits_of(value);
        widest.whole = std::max(widest.whole, digits.whole);
        widest.decimals = std::max(widest.decimals, digits.decimals);
    }
    if (widest.whole + widest.decimals <= max_bcd_precision)
        return bcd_field(name, widest.whole + widest.decimals, widest.decimals);
    if (std::all_of(values.begin(), values.end(), is_exact_double)) return float_field(name);
    return bcd_field(name, max_bcd_precision, widest.decimals);
}

}  // namespace

dataset::Field decimal_field(const Query& query, std::size_t column) {
    const Column& described = query.columns()[column];
    if (described.scale == undeclared_scale) return field_sized_to_values(query, column);
    return bcd_field(described.name,
                     described.precision > 0 ? described.precision : max_bcd_precision,
                     described.scale);
}

}  // namespace tov::db
