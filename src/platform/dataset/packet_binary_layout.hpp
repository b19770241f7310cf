#pragma once
// What the binary packet reader and writer agree on: the header constants and how each field's
// values are laid out in a row.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/dataset/packet.hpp"

namespace tov::dataset::binary_layout {

inline constexpr uint32_t magic = 0xBDE01996;
inline constexpr uint32_t header_size = 24;
inline constexpr uint16_t max_major_version = 3;
inline constexpr uint32_t flag_metadata = 0x0001;
inline constexpr uint32_t flag_data_offset = 0x0002;
inline constexpr uint32_t flag_xml_inside = 0x8000;
inline constexpr uint32_t blob_not_delivered = 0x80000000;
inline constexpr std::size_t bcd_value_size = 18;
inline constexpr std::size_t sql_timestamp_size = 16;
inline constexpr std::size_t sql_timestamp_offset_size = 20;

enum class ValueKind {
    SignedInt,
    UnsignedInt,
    Boolean,
    Double,
    Extended,  // 80-bit float, held as a double
    Single,
    Bcd,
    Date,
    Time,
    Timestamp,
    SqlTimestamp,
    SqlTimestampOffset,
    FixedText,    // NUL-padded 8-bit text of `size` bytes
    VaryingText,  // 8-bit text after a length prefix of `size` bytes
    FixedWide,    // NUL-padded UTF-16LE text of `size` bytes
    VaryingWide,  // UTF-16LE text after a byte-count prefix of `size` bytes
    FixedBytes,
    VaryingBytes,  // raw bytes after a prefix; a 4-byte prefix with bit 31 means not delivered
};

struct ValueLayout {
    ValueKind kind = ValueKind::SignedInt;
    std::size_t size = 0;  // bytes of a fixed value, or the width of the length prefix
};

// The layout of a field's values; throws PacketError naming the field for a type that
// cannot be stored in a flat row (nested tables, ADT, arrays, references) or a bad size.
ValueLayout value_layout(const Field& field);

// Bytes of the null / not-changed bitmap of a row with `columns` columns (2 bits each).
constexpr std::size_t bitmap_size(std::size_t columns) {
    return (columns + 3) / 4;
}

inline constexpr uint8_t bits_null = 1;
inline constexpr uint8_t bits_unchanged = 2;

// "FLOAT value NaN is not a finite number": the readers refuse NaN and infinities, which no
// amount or date-time stands for, and the writers do not write them.
std::string not_finite(const char* what, double value);

// The 80-bit extended float of a FLOAT field of size 10, to and from a double.
double extended_to_double(const unsigned char (&bytes)[10]);
void append_extended(std::string& out, double value);

}  // namespace tov::dataset::binary_layout
