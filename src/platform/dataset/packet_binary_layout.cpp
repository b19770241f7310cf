#include "platform/dataset/packet_binary_layout.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "platform/dataset/packet_bytes.hpp"

#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"

namespace tov::dataset::binary_layout {

namespace {

[[noreturn]] void reject(const Field& field, const std::string& why) {
    throw PacketError("binary packet: " + field_label(field.name) + ": " + why);
}

std::string size_text(const Field& field) {
    return std::to_string(field.size());
}

ValueLayout fixed(const Field& field, ValueKind kind, std::size_t expected, const char* what) {
    if (field.size() != expected) {
        reject(field, std::string(what) + " of size " + size_text(field) + " (expected " +
                          std::to_string(expected) + ")");
    }
    return {kind, expected};
}

ValueLayout integer(const Field& field, ValueKind kind, const char* what) {
    const std::size_t size = field.size();
    if (size != 1 && size != 2 && size != 4 && size != 8) {
        reject(field, std::string(what) + " of size " + size_text(field) + " is not supported");
    }
    return {kind, size};
}

ValueLayout floating(const Field& field) {
    if (field.size() == 8) return {ValueKind::Double, 8};
    if (field.size() == 10) return {ValueKind::Extended, 10};
    reject(field, "FLOAT of size " + size_text(field) + " is not supported");
}

// ZSTRING, UNICODE and BYTES: a length prefix when varying, else `size` bytes.
ValueLayout sized(const Field& field, ValueKind fixed_kind, ValueKind varying_kind) {
    if (!field.varying()) return {fixed_kind, field.size()};
    const std::size_t prefix = field.size();
    if (prefix != 1 && prefix != 2 && prefix != 4) {
        reject(field, "length prefix of " + size_text(field) + " bytes is not supported");
    }
    return {varying_kind, prefix};
}

}  // namespace

ValueLayout value_layout(const Field& field) {
    if (field.varying() && field.type() != TypeCode::ZString && field.type() != TypeCode::Unicode &&
        field.type() != TypeCode::Bytes && field.type() != TypeCode::BigDecimal) {
        reject(field, "a varying value of type code " +
                          std::to_string(static_cast<int>(field.type())) + " is not supported");
    }
    switch (field.type()) {
        case TypeCode::Int:
            return integer(field, ValueKind::SignedInt, "INT");
        case TypeCode::UInt:
            return integer(field, ValueKind::UnsignedInt, "UINT");
        case TypeCode::Bool:
            return integer(field, ValueKind::Boolean, "BOOL");
        case TypeCode::Float:
            return floating(field);
        case TypeCode::Single:
            return fixed(field, ValueKind::Single, 4, "SINGLE");
        case TypeCode::Bcd:
        case TypeCode::FmtBcd:
            return {ValueKind::Bcd, bcd_value_size};
        case TypeCode::Date:
            return fixed(field, ValueKind::Date, 4, "DATE");
        case TypeCode::Time:
            return fixed(field, ValueKind::Time, 4, "TIME");
        case TypeCode::Timestamp:
            return fixed(field, ValueKind::Timestamp, 8, "TIMESTAMP");
        case TypeCode::SqlTimestamp:
            return fixed(field, ValueKind::SqlTimestamp, sql_timestamp_size, "SQL timestamp");
        case TypeCode::SqlTimestampOffset:
            return fixed(field, ValueKind::SqlTimestampOffset, sql_timestamp_offset_size,
                         "SQL timestamp with offset");
        case TypeCode::ZString:
            return sized(field, ValueKind::FixedText, ValueKind::VaryingText);
        case TypeCode::Unicode:
            return sized(field, ValueKind::FixedWide, ValueKind::VaryingWide);
        case TypeCode::Bytes:
            return sized(field, ValueKind::FixedBytes, ValueKind::VaryingBytes);
        case TypeCode::Nested:
            reject(field, "nested tables are not supported");
        case TypeCode::Adt:
            reject(field, "ADT fields are not supported");
        case TypeCode::Array:
            reject(field, "array fields are not supported");
        case TypeCode::Ref:
            reject(field, "reference fields are not supported");
        case TypeCode::BigDecimal:
            reject(field, "big decimal fields are not supported");
    }
    reject(field, "unknown type code " + std::to_string(static_cast<int>(field.type())));
}

}  // namespace tov::dataset::binary_layout

namespace tov::dataset::binary_layout {

namespace {
constexpr int extended_bias = 16383;
constexpr int extended_max_exponent = 0x7FFF;
}  // namespace

std::string not_finite(const char* what, double value) {
    const char* name = std::isnan(value) ? "NaN" : value < 0 ? "-infinity" : "infinity";
    return std::string(what) + " " + name + " is not a finite number";
}

double extended_to_double(const unsigned char (&bytes)[10]) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[i];
    const int sign_exponent = bytes[8] | (bytes[9] << 8);
    const bool negative = (sign_exponent & 0x8000) != 0;
    const int exponent = sign_exponent & 0x7FFF;
    double value = 0;
    if (exponent == extended_max_exponent) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else {
        // Denormals have an exponent of 0 but scale as exponent 1.
        const int scale = (exponent == 0 ? 1 : exponent) - extended_bias - 63;
        value = std::ldexp(static_cast<double>(mantissa), scale);
    }
    return negative ? -value : value;
}

void append_extended(std::string& out, double value) {
    uint64_t mantissa = 0;
    int exponent = 0;
    if (std::isnan(value)) {
        mantissa = 0xC000000000000000u;
        exponent = extended_max_exponent;
    } else if (std::isinf(value)) {
        mantissa = 0x8000000000000000u;
        exponent = extended_max_exponent;
    } else if (value != 0) {
        int binary_exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &binary_exponent);  // [0.5, 1)
        mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
        exponent = binary_exponent - 1 + extended_bias;
    }
    packet_bytes::append_unsigned(out, mantissa, 8);
    packet_bytes::append_unsigned(
        out, static_cast<uint64_t>(exponent) | (std::signbit(value) ? 0x8000u : 0u), 2);
}

}  // namespace tov::dataset::binary_layout
