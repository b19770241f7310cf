// FormatFloat: number patterns such as "#,##0.00", with sections for negative and zero values.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/format/float_decimal.hpp"
#include "platform/format/float_format.hpp"

namespace tov::format {
namespace {

constexpr int kMaxSections = 3;
constexpr int kMaxExponentDigits = 4;
constexpr int kGeneralPrecision = 15;

bool is_quote(char c) {
    return c == '\'' || c == '"';
}

bool is_placeholder(char c) {
    return c == '0' || c == '#';
}

// Index just past the quoted text that starts at pos (an unterminated quote runs to the end).
std::size_t skip_quoted(std::string_view text, std::size_t pos) {
    const std::size_t close = text.find(text[pos], pos + 1);
    return close == std::string_view::npos ? text.size() : close + 1;
}

// "E+" / "e-" and so on: the start of an exponent.
bool is_exponent_mark(std::string_view section, std::size_t pos) {
    return (section[pos] == 'E' || section[pos] == 'e') && pos + 1 < section.size() &&
           (section[pos + 1] == '+' || section[pos + 1] == '-');
}

std::size_t count_exponent_zeros(std::string_view section, std::size_t pos) {
    std::size_t count = 0;
    while (pos + count < section.size() && section[pos + count] == '0') ++count;
    return count;
}

std::vector<std::string_view> split_sections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < pattern.size();) {
        if (is_quote(pattern[pos])) {
            pos = skip_quoted(pattern, pos);
        } else if (pattern[pos] == ';') {
            sections.push_back(pattern.substr(start, pos - start));
            if (static_cast<int>(sections.size()) == kMaxSections) return sections;
            start = ++pos;
        } else {
            ++pos;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

// What the placeholders of one section ask for.
struct SectionShape {
    int integer_places = 0;
    int fraction_places = 0;
    int min_integer = 0;   // integer digits always written (from the first '0' on)
    int min_fraction = 0;  // decimals always written (up to the last '0')
    bool grouping = false;
    bool scientific = false;
    int exponent_digits = 0;
};

SectionShape scan_section(std::string_view section) {
    SectionShape shape;
    bool in_fraction = false;
    int first_integer_zero = -1;
    for (std::size_t pos = 0; pos < section.size();) {
        const char c = section[pos];
        if (is_quote(c)) {
            pos = skip_quoted(section, pos);
            continue;
        }
        if (is_placeholder(c)) {
            if (in_fraction) {
                ++shape.fraction_places;
                if (c == '0') shape.min_fraction = shape.fraction_places;
            } else {
                if (c == '0' && first_integer_zero < 0) first_integer_zero = shape.integer_places;
                ++shape.integer_places;
            }
        } else if (c == '.') {
            in_fraction = true;
        } else if (c == ',') {
            shape.grouping = true;
        } else if (!shape.scientific && is_exponent_mark(section, pos)) {
            shape.scientific = true;
            const std::size_t zeros = count_exponent_zeros(section, pos + 2);
            shape.exponent_digits = std::min(static_cast<int>(zeros), kMaxExponentDigits);
            pos += 2 + zeros;
            continue;
        }
        ++pos;
    }
    if (first_integer_zero >= 0) shape.min_integer = shape.integer_places - first_integer_zero;
    return shape;
}

// The digits a section lays out: integer part (padded to its minimum), fraction part (trailing
// optional zeros dropped) and, for scientific patterns, the exponent.
struct LaidOutNumber {
    std::string integer;
    std::string fraction;
    int exponent = 0;
};

std::string trim_fraction(std::string fraction, int min_fraction) {
    while (static_cast<int>(fraction.size()) > min_fraction && fraction.back() == '0')
        fraction.pop_back();
    return fraction;
}

LaidOutNumber lay_out_fixed(const FloatDecimal& decimal, const SectionShape& shape) {
    LaidOutNumber number;
    for (int i = 0; i < decimal.exponent; ++i) number.integer += decimal.digit_at(i);
    if (static_cast<int>(number.integer.size()) < shape.min_integer) {
        number.integer.insert(
            0, static_cast<std::size_t>(shape.min_integer) - number.integer.size(), '0');
    }
    std::string fraction;
    for (int i = 0; i < shape.fraction_places; ++i)
        fraction += decimal.digit_at(decimal.exponent + i);
    number.fraction = trim_fraction(std::move(fraction), shape.min_fraction);
    return number;
}

LaidOutNumber lay_out_scientific(const FloatDecimal& decimal, const SectionShape& shape) {
    LaidOutNumber number;
    for (int i = 0; i < shape.integer_places; ++i) number.integer += decimal.digit_at(i);
    std::string fraction;
    for (int i = 0; i < shape.fraction_places; ++i)
        fraction += decimal.digit_at(shape.integer_places + i);
    number.fraction = trim_fraction(std::move(fraction), shape.min_fraction);
    number.exponent = decimal.is_zero() ? 0 : decimal.exponent - shape.integer_places;
    return number;
}

// Walks a section, writing literals where they stand and the digits at the placeholders.
// Integer digits align to the right of the integer placeholders; those beyond the placeholders
// all go to the first one. Grouping separators follow every third digit from the right.
class SectionWriter {
public:
    SectionWriter(const SectionShape& shape, const LaidOutNumber& number,
                  const FormatSettings& settings)
        : shape_(shape), number_(number), settings_(settings) {}

    std::string write(std::string_view section, bool minus_sign) {
        if (minus_sign) out_ += '-';
        for (std::size_t pos = 0; pos < section.size();) pos = write_item(section, pos);
        return std::move(out_);
    }

private:
    std::size_t write_item(std::string_view section, std::size_t pos) {
        const char c = section[pos];
        if (is_quote(c)) {
            const std::size_t end = skip_quoted(section, pos);
            const bool closed = end <= section.size() && section[end - 1] == c && end - 1 > pos;
            out_.append(section.substr(pos + 1, (closed ? end - 1 : end) - pos - 1));
            return end;
        }
        if (is_placeholder(c)) {
            write_placeholder();
        } else if (c == '.') {
            in_fraction_ = true;
        } else if (shape_.scientific && !exponent_written_ && is_exponent_mark(section, pos)) {
            return write_exponent(section, pos);
        } else if (c != ',') {
            out_ += c;
        }
        return pos + 1;
    }

    void write_placeholder() {
        if (in_fraction_) {
            flush_integer(number_.integer.size());
            if (fraction_index_ < number_.fraction.size()) {
                if (fraction_index_ == 0) out_ += settings_.decimal_separator;
                out_ += number_.fraction[fraction_index_];
            }
            ++fraction_index_;
            return;
        }
        // Placeholder k of n stands for the digit with n-1-k digits after it.
        ++integer_index_;
        const std::size_t after = static_cast<std::size_t>(shape_.integer_places - integer_index_);
        if (number_.integer.size() > after) flush_integer(number_.integer.size() - after);
    }

    // Writes the integer digits up to (not including) index end.
    void flush_integer(std::size_t end) {
        const std::string& digits = number_.integer;
        for (; integer_written_ < end; ++integer_written_) {
            out_ += digits[integer_written_];
            const std::size_t remaining = digits.size() - 1 - integer_written_;
            if (shape_.grouping && !shape_.scientific && remaining > 0 && remaining % 3 == 0)
                out_ += settings_.thousand_separator;
        }
    }

    std::size_t write_exponent(std::string_view section, std::size_t pos) {
        flush_integer(number_.integer.size());
        exponent_written_ = true;
        out_ += section[pos];
        const int magnitude = std::abs(number_.exponent);
        if (number_.exponent < 0) {
            out_ += '-';
        } else if (section[pos + 1] == '+') {
            out_ += '+';
        }
        const std::string digits = std::to_string(magnitude);
        const int padding = shape_.exponent_digits - static_cast<int>(digits.size());
        out_.append(static_cast<std::size_t>(std::max(padding, 0)), '0');
        out_ += digits;
        return pos + 2 + count_exponent_zeros(section, pos + 2);
    }

    const SectionShape& shape_;
    const LaidOutNumber& number_;
    const FormatSettings& settings_;
    std::string out_;
    bool in_fraction_ = false;
    bool exponent_written_ = false;
    int integer_index_ = 0;
    std::size_t integer_written_ = 0;
    std::size_t fraction_index_ = 0;
};

bool usable(const std::vector<std::string_view>& sections, std::size_t index) {
    return index < sections.size() && !sections[index].empty();
}

std::size_t section_for(long double value, const std::vector<std::string_view>& sections) {
    if (value < 0 && usable(sections, 1)) return 1;
    if (value == 0 && usable(sections, 2)) return 2;
    return 0;
}

FloatDecimal round_for(long double value, const SectionShape& shape) {
    if (shape.scientific) {
        const int precision = shape.integer_places + shape.fraction_places;
        return to_float_decimal(value, std::max(precision, 1), std::numeric_limits<int>::max());
    }
    return to_float_decimal(value, kMaxSignificantDigits, shape.fraction_places);
}

}  // namespace

std::string FormatFloat(std::string_view pattern, long double value,
                        const FormatSettings& settings) {
    const std::vector<std::string_view> sections = split_sections(pattern);
    std::size_t index = section_for(value, sections);
    if (!std::isfinite(value) || sections[index].empty())
        return FloatToStrF(value, FloatFormat::General, kGeneralPrecision, 0, settings);

    SectionShape shape = scan_section(sections[index]);
    FloatDecimal decimal = round_for(value, shape);
    if (!shape.scientific && decimal.exponent > kMaxSignificantDigits)
        return FloatToStrF(value, FloatFormat::General, kGeneralPrecision, 0, settings);
    if (decimal.is_zero() && index != 2 && usable(sections, 2)) {
        index = 2;
        shape = scan_section(sections[index]);
    }
    const LaidOutNumber number =
        shape.scientific ? lay_out_scientific(decimal, shape) : lay_out_fixed(decimal, shape);
    SectionWriter writer(shape, number, settings);
    return writer.write(sections[index], decimal.negative && index == 0);
}

}  // namespace tov::format
