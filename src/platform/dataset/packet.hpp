#pragma once
// The data packet model: what a binary or XML packet holds, kept closely enough that either
// format can be written back exactly as it was read. Readers and writers live beside it
// (packet_binary, packet_xml); the client dataset builds its current view from it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dataset/packet_row.hpp"
#include "platform/dataset/row_table.hpp"

namespace tov::dataset {

// Type codes (bits 16-21 of a type word).
enum class TypeCode : uint8_t {
    Int = 1,
    UInt = 2,
    Bool = 3,
    Float = 4,
    Bcd = 5,
    Date = 6,
    Time = 7,
    Timestamp = 8,
    ZString = 9,
    Unicode = 10,
    Bytes = 11,
    Adt = 12,
    Array = 13,
    Nested = 14,
    Ref = 15,
    BigDecimal = 16,
    SqlTimestamp = 17,
    FmtBcd = 18,
    Single = 27,
    SqlTimestampOffset = 36,
};

// Flag bits of a type word above the type code.
namespace type_flag {
inline constexpr uint32_t varying = 0x00400000;
inline constexpr uint32_t array = 0x00800000;
inline constexpr uint32_t pseudo = 0x01000000;
inline constexpr uint32_t compressed = 0x02000000;
inline constexpr uint32_t embedded = 0x04000000;
inline constexpr uint32_t in_delta = 0x80000000;
}  // namespace type_flag

constexpr uint32_t make_type_word(TypeCode code, uint16_t size, uint32_t flags = 0) {
    return (static_cast<uint32_t>(code) << 16) | size | flags;
}
constexpr TypeCode type_code_of(uint32_t type_word) {
    return static_cast<TypeCode>((type_word >> 16) & 0x3F);
}
constexpr uint16_t size_of(uint32_t type_word) {
    return static_cast<uint16_t>(type_word & 0xFFFF);
}

// An optional parameter of a field or of the dataset (WIDTH, SUBTYPE, LCID, CHANGE_LOG, ...),
// kept as its type word and its value bytes (without the length prefix; for an array, the
// elements one after another) so it is written back unchanged.
struct Param {
    std::string name;
    uint32_t type_word = 0;
    std::string value;

    TypeCode type() const { return type_code_of(type_word); }
    bool is_array() const { return (type_word & type_flag::array) != 0; }
    // A text parameter without its trailing NUL.
    std::string text() const;
    // An integer or Boolean parameter, decoded from its own type word.
    int64_t integer() const;
    // An array parameter's elements (or the single value of a scalar one).
    std::vector<int64_t> integers() const;

    static Param make_text(std::string name, std::string_view text);
    static Param make_integer(std::string name, TypeCode code, uint16_t size, int64_t value);
    static Param make_array(std::string name, TypeCode code, uint16_t element_size,
                            const std::vector<int64_t>& values);
};

// Field attribute bits.
namespace field_attribute {
inline constexpr uint16_t hidden = 0x01;
inline constexpr uint16_t read_only = 0x02;
inline constexpr uint16_t required = 0x04;
inline constexpr uint16_t link = 0x08;
inline constexpr uint16_t xml_name = 0x10;
}  // namespace field_attribute

struct Field {
    std::string name;      // the field name as the dataset knows it (Windows-1252)
    std::string xml_name;  // the XML attribute name ("attrname") when it differs from name
    uint32_t type_word = 0;
    uint16_t attributes = 0;
    std::vector<Param> params;  // WIDTH, SUBTYPE, DECIMALS, ... in stored order

    TypeCode type() const { return type_code_of(type_word); }
    uint16_t size() const { return size_of(type_word); }
    bool varying() const { return (type_word & type_flag::varying) != 0; }
    const Param* param(std::string_view param_name) const;  // case-insensitive; nullptr if none
    int width() const;                                      // WIDTH, or 0
    int decimals() const;                                   // DECIMALS, or 0
    std::string subtype() const;                            // SUBTYPE, or ""
    const std::string& attribute_name() const { return xml_name.empty() ? name : xml_name; }
};

struct Packet {
    uint16_t major_version = 1;  // 2 when a type above 11 is present
    uint16_t minor_version = 0;
    std::vector<Field> fields;
    std::vector<Param> params;  // dataset-level parameters in stored order
    RowTable rows;              // every stored row, change-log versions included

    const Param* param(std::string_view param_name) const;  // case-insensitive; nullptr if none
    int field_index(std::string_view field_name) const;     // case-insensitive; -1 if none
};

}  // namespace tov::dataset
