// StrToFloat: numbers typed with the regional decimal separator.

#include <charconv>
#include <optional>
#include <string>

#include "platform/errors/errors.hpp"
#include "platform/format/float_format.hpp"

namespace tov::format {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// Copies a run of digits from text[pos] to out; returns how many there were.
std::size_t take_digits(std::string_view text, std::size_t& pos, std::string& out) {
    const std::size_t start = pos;
    while (pos < text.size() && is_digit(text[pos])) out += text[pos++];
    return pos - start;
}

// The number rewritten in the invariant form that from_chars reads, or nothing when the text
// is not a number: [sign] digits [separator digits] [E [sign] digits].
std::optional<std::string> invariant_form(std::string_view text, char decimal_separator) {
    std::string out;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-') out += '-';
        ++pos;
    }
    std::size_t mantissa_digits = take_digits(text, pos, out);
    if (pos < text.size() && text[pos] == decimal_separator) {
        ++pos;
        out += '.';
        mantissa_digits += take_digits(text, pos, out);
    }
    if (mantissa_digits == 0) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        out += 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) out += text[pos++];
        if (take_digits(text, pos, out) == 0) return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;
    return out;
}

std::optional<long double> parse_number(std::string_view text, const FormatSettings& settings) {
    const std::optional<std::string> invariant =
        invariant_form(trim_blanks(text), settings.decimal_separator);
    if (!invariant) return std::nullopt;
    long double value = 0;
    const char* first = invariant->data();
    const char* last = first + invariant->size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

}  // namespace

long double StrToFloat(std::string_view text, const FormatSettings& settings) {
    if (const std::optional<long double> value = parse_number(text, settings)) return *value;
    throw ConversionError("'" + std::string(text) + "' is not a valid number");
}

bool TryStrToFloat(std::string_view text, long double& value, const FormatSettings& settings) {
    const std::optional<long double> parsed = parse_number(text, settings);
    if (parsed) value = *parsed;
    return parsed.has_value();
}

}  // namespace tov::format
