#pragma once
// The values a row of a data packet holds, one per field, and the row itself: its status bits
// and its values.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tov::dataset {

// A fixed-point decimal as stored: precision, sign and scale, packed digits (18 bytes).
struct Bcd {
    std::array<uint8_t, 18> bytes{};

    int precision() const { return bytes[0]; }
    int scale() const { return bytes[1] & 0x3F; }
    bool negative() const { return (bytes[1] & 0x80) != 0; }
    bool special() const { return (bytes[1] & 0x40) != 0; }
    // Throws ConversionError for a precision or scale above 32 digits or a nibble that is no
    // digit: such bytes hold no number the decimal text could carry.
    void check() const;
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

// Days between 0001-01-01 (day 1) and the date-time epoch 1899-12-30.
inline constexpr int32_t date_delta = 693594;
inline constexpr double ms_per_day = 86400000.0;

}  // namespace tov::dataset
