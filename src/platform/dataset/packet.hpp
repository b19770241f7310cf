#pragma once
// The data packet model: what a binary or XML packet holds, kept closely enough that either
// format can be written back exactly as it was read. Readers and writers live beside it
// (packet_binary, packet_xml); the client dataset builds its current view from it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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

// A fixed-point decimal as stored: precision, sign and scale, packed digits (18 bytes).
struct Bcd {
    std::array<uint8_t, 18> bytes{};

    int precision() const { return bytes[0]; }
    int scale() const { return bytes[1] & 0x3F; }
    bool negative() const { return (bytes[1] & 0x80) != 0; }
    bool special() const { return (bytes[1] & 0x40) != 0; }
    // Plain decimal text with '.' as the point and '-' for negatives ("-1234.5", "0").
    std::string to_string() const;
    long double to_long_double() const;
    // Parses "-1234.5", "0.05", "12" (up to 32 digits); throws ConversionError otherwise.
    static Bcd from_string(std::string_view text);
    bool operator==(const Bcd&) const = default;
};

// The SQL timestamp struct (type 17; with an offset, type 36).
struct SqlTimestamp {
    int16_t year = 0;
    uint16_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
    uint32_t fraction = 0;  // milliseconds
    int16_t offset_hour = 0, offset_minute = 0;
    bool operator==(const SqlTimestamp&) const = default;
};

struct Null {
    bool operator==(const Null&) const = default;
};
// A "not changed" column of a change-log row: the value of the version it replaces.
struct Unchanged {
    bool operator==(const Unchanged&) const = default;
};
struct Date {  // day number, day 1 = 0001-01-01
    int32_t day = 0;
    bool operator==(const Date&) const = default;
};
struct Time {  // milliseconds since midnight
    int32_t ms = 0;
    bool operator==(const Time&) const = default;
};
struct Timestamp {  // day number x 86 400 000 + milliseconds of the day
    double ms = 0;
    bool operator==(const Timestamp&) const = default;
};
struct WideText {  // UTF-16 text of a wide string field
    std::u16string text;
    bool operator==(const WideText&) const = default;
};

// One column's value in a row. Integers are int64_t (INT) or uint64_t (UINT); FLOAT and SINGLE
// are double; 8-bit strings, memos and blobs are std::string bytes.
using Value = std::variant<Null, Unchanged, int64_t, uint64_t, bool, double, Bcd, Date, Time,
                           Timestamp, SqlTimestamp, std::string, WideText>;

// Row status bits.
namespace row_status {
inline constexpr uint8_t superseded = 0x01;
inline constexpr uint8_t deleted = 0x02;
inline constexpr uint8_t inserted = 0x04;
inline constexpr uint8_t modified = 0x08;
inline constexpr uint8_t unused = 0x20;
inline constexpr uint8_t detail_changed = 0x40;
inline constexpr uint8_t hidden_mask = superseded | deleted | unused;
}  // namespace row_status

struct Row {
    uint8_t status = 0;
    std::vector<Value> values;  // one per field
};

struct Packet {
    uint16_t major_version = 1;  // 2 when a type above 11 is present
    uint16_t minor_version = 0;
    std::vector<Field> fields;
    std::vector<Param> params;  // dataset-level parameters in stored order
    std::vector<Row> rows;      // every stored row, change-log versions included

    const Param* param(std::string_view param_name) const;  // case-insensitive; nullptr if none
    int field_index(std::string_view field_name) const;     // case-insensitive; -1 if none
};

// Days between 0001-01-01 (day 1) and the date-time epoch 1899-12-30.
inline constexpr int32_t date_delta = 693594;
inline constexpr double ms_per_day = 86400000.0;

}  // namespace tov::dataset
