#include "platform/dataset/packet.hpp"

#include <algorithm>
#include <cmath>

#include "platform/dataset/packet_bytes.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"

namespace tov::dataset {

namespace {

char ascii_upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ascii_upper(x) == ascii_upper(y);
           });
}

const Param* find_param(const std::vector<Param>& params, std::string_view name) {
    const auto found = std::find_if(params.begin(), params.end(), [&](const Param& param) {
        return equal_ignoring_case(param.name, name);
    });
    return found == params.end() ? nullptr : &*found;
}

bool is_integer_type(TypeCode code) {
    return code == TypeCode::Int || code == TypeCode::UInt || code == TypeCode::Bool;
}

void check_integer_element_size(const std::string& name, std::size_t size) {
    if (size != 1 && size != 2 && size != 4 && size != 8) {
        throw PacketError("parameter " + quoted_input(name) + ": integer size " +
                          std::to_string(size) + " is not 1, 2, 4 or 8");
    }
}

int64_t decode_integer(TypeCode code, std::string_view bytes, std::size_t size) {
    if (code == TypeCode::Int) return packet_bytes::load_signed(bytes, size);
    const uint64_t value = packet_bytes::load_unsigned(bytes, size);
    if (code == TypeCode::Bool) return value != 0 ? 1 : 0;
    return static_cast<int64_t>(value);
}

// --- BCD digits ---------------------------------------------------------------------------

constexpr int max_bcd_digits = 32;

int bcd_digit(const Bcd& bcd, int index) {
    const uint8_t packed = bcd.bytes[2 + index / 2];
    const int digit = (index % 2 == 0) ? (packed >> 4) : (packed & 0x0F);
    if (digit > 9) {
        throw ConversionError("BCD value: digit " + std::to_string(index + 1) +
                              " is not a decimal digit");
    }
    return digit;
}

void check_bcd_precision(const Bcd& bcd) {
    if (bcd.precision() > max_bcd_digits) {
        throw ConversionError("BCD value: precision " + std::to_string(bcd.precision()) +
                              " exceeds " + std::to_string(max_bcd_digits) + " digits");
    }
    if (bcd.scale() > max_bcd_digits) {
        throw ConversionError("BCD value: scale " + std::to_string(bcd.scale()) + " exceeds " +
                              std::to_string(max_bcd_digits) + " digits");
    }
}

// The stored digits as text, padded with leading zeros when the scale exceeds the precision.
std::string bcd_digits(const Bcd& bcd) {
    check_bcd_precision(bcd);
    std::string digits;
    for (int i = 0; i < bcd.precision(); ++i)
        digits.push_back(static_cast<char>('0' + bcd_digit(bcd, i)));
    if (static_cast<int>(digits.size()) <= bcd.scale()) {
        digits.insert(0, static_cast<std::size_t>(bcd.scale()) + 1 - digits.size(), '0');
    }
    return digits;
}

struct DecimalText {
    bool negative = false;
    std::string integer_digits;
    std::string fraction_digits;
};

DecimalText split_decimal(std::string_view text) {
    const auto fail = [&](const std::string& why) -> DecimalText {
        throw ConversionError("'" + std::string(text.substr(0, 64)) +
                              "' is not a decimal number: " + why);
    };
    DecimalText parts;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        parts.negative = text[pos++] == '-';
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
        parts.integer_digits.push_back(text[pos++]);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
            parts.fraction_digits.push_back(text[pos++]);
        if (parts.fraction_digits.empty()) return fail("no digits after the point");
    }
    if (pos != text.size())
        return fail("unexpected character at position " + std::to_string(pos + 1));
    if (parts.integer_digits.empty() && parts.fraction_digits.empty()) return fail("no digits");
    return parts;
}

}  // namespace

// --- Param ------------------------------------------------------------------------------------

std::string Param::text() const {
    std::string result = value;
    while (!result.empty() && result.back() == '\0') result.pop_back();
    return result;
}

int64_t Param::integer() const {
    if (!is_integer_type(type()) || is_array()) {
        throw PacketError("parameter " + quoted_input(name) + " is not an integer");
    }
    const std::size_t size = size_of(type_word);
    check_integer_element_size(name, size);
    if (value.size() != size) {
        throw PacketError("parameter " + quoted_input(name) + ": " + std::to_string(value.size()) +
                          " value bytes for an integer of " + std::to_string(size));
    }
    return decode_integer(type(), value, size);
}

std::vector<int64_t> Param::integers() const {
    if (!is_array()) return {integer()};
    if (!is_integer_type(type()))
        throw PacketError("parameter " + quoted_input(name) + " is not an integer array");
    const std::size_t size = size_of(type_word);
    check_integer_element_size(name, size);
    if (value.size() % size != 0) {
        throw PacketError("parameter " + quoted_input(name) + ": " + std::to_string(value.size()) +
                          " bytes are not a whole number of " + std::to_string(size) +
                          "-byte elements");
    }
    std::vector<int64_t> result;
    result.reserve(value.size() / size);
    for (std::size_t offset = 0; offset < value.size(); offset += size) {
        result.push_back(
            decode_integer(type(), std::string_view(value).substr(offset, size), size));
    }
    return result;
}

Param Param::make_text(std::string name, std::string_view text) {
    Param param{std::move(name), make_type_word(TypeCode::ZString, 2, type_flag::varying),
                std::string(text)};
    param.value.push_back('\0');
    return param;
}

Param Param::make_integer(std::string name, TypeCode code, uint16_t size, int64_t value) {
    check_integer_element_size(name, size);
    Param param{std::move(name), make_type_word(code, size), {}};
    packet_bytes::append_unsigned(param.value, static_cast<uint64_t>(value), size);
    return param;
}

Param Param::make_array(std::string name, TypeCode code, uint16_t element_size,
                        const std::vector<int64_t>& values) {
    check_integer_element_size(name, element_size);
    Param param{std::move(name), make_type_word(code, element_size, type_flag::array), {}};
    for (const int64_t value : values) {
        packet_bytes::append_unsigned(param.value, static_cast<uint64_t>(value), element_size);
    }
    return param;
}

// --- Field ------------------------------------------------------------------------------------

const Param* Field::param(std::string_view param_name) const {
    return find_param(params, param_name);
}

namespace {

// An integer parameter of the field; an error names the field.
int field_integer(const Field& field, std::string_view name) {
    const Param* found = field.param(name);
    if (found == nullptr) return 0;
    try {
        return static_cast<int>(found->integer());
    } catch (const PacketError& error) {
        throw PacketError(field_label(field.name) + ": " + error.what());
    }
}

}  // namespace

int Field::width() const {
    return field_integer(*this, "WIDTH");
}

int Field::decimals() const {
    return field_integer(*this, "DECIMALS");
}

std::string Field::subtype() const {
    const Param* found = param("SUBTYPE");
    return found ? found->text() : std::string();
}

// --- Bcd --------------------------------------------------------------------------------------

void Bcd::check() const {
    if (special()) return;
    check_bcd_precision(*this);
    for (int i = 0; i < precision(); ++i) bcd_digit(*this, i);
}

std::string Bcd::to_string() const {
    if (special()) return {};
    const std::string digits = bcd_digits(*this);
    const std::size_t point = digits.size() - static_cast<std::size_t>(scale());
    std::string integer_part = digits.substr(0, point);
    const std::size_t first = integer_part.find_first_not_of('0');
    integer_part = (first == std::string::npos) ? "0" : integer_part.substr(first);
    std::string result = integer_part;
    if (scale() > 0) result += "." + digits.substr(point);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (negative() && !zero) ? "-" + result : result;
}

long double Bcd::to_long_double() const {
    if (special()) return std::nanl("");
    long double value = 0;
    for (const char digit : bcd_digits(*this)) value = value * 10 + (digit - '0');
    value /= std::pow(10.0L, scale());
    return negative() ? -value : value;
}

Bcd Bcd::from_string(std::string_view text) {
    DecimalText parts = split_decimal(text);
    const std::size_t first = parts.integer_digits.find_first_not_of('0');
    parts.integer_digits = (first == std::string::npos) ? "" : parts.integer_digits.substr(first);
    const std::string digits = parts.integer_digits + parts.fraction_digits;
    if (digits.size() > static_cast<std::size_t>(max_bcd_digits)) {
        throw ConversionError("'" + std::string(text.substr(0, 64)) + "' has more than " +
                              std::to_string(max_bcd_digits) + " digits");
    }
    Bcd bcd;
    if (digits.find_first_not_of('0') == std::string::npos && parts.fraction_digits.empty()) {
        return bcd;  // zero: no digits at all
    }
    bcd.bytes[0] = static_cast<uint8_t>(digits.size());
    bcd.bytes[1] = static_cast<uint8_t>(parts.fraction_digits.size() | (parts.negative ? 0x80 : 0));
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const auto digit = static_cast<uint8_t>(digits[i] - '0');
        bcd.bytes[2 + i / 2] |= static_cast<uint8_t>(i % 2 == 0 ? digit << 4 : digit);
    }
    return bcd;
}

// --- Packet -----------------------------------------------------------------------------------

const Param* Packet::param(std::string_view param_name) const {
    return find_param(params, param_name);
}

int Packet::field_index(std::string_view field_name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (equal_ignoring_case(fields[i].name, field_name)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace tov::dataset
