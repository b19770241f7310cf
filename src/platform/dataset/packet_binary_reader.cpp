// Reading a binary data packet: header, field descriptors with their parameters, dataset
// parameters, then the rows. Every read goes through a cursor that checks it against the end of
// the buffer and names the place in the packet when it does not fit.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/dataset/change_log.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/dataset/packet_binary_layout.hpp"
#include "platform/dataset/packet_bytes.hpp"
#include "platform/dataset/packet_limits.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"

namespace tov::dataset {

namespace {

using binary_layout::ValueKind;
using binary_layout::ValueLayout;

// Where in the packet the cursor is, for messages: "header", "field 3", "row 7, field 'NAME'".
struct Place {
    const char* section = "header";
    std::size_t index = 0;                    // 1-based field or row number, 0 for none
    const std::string* field_name = nullptr;  // the field whose value is being read

    std::string describe() const {
        std::string text = section;
        if (index > 0) text += " " + std::to_string(index);
        if (field_name != nullptr) text += ", " + field_label(*field_name);
        return text;
    }
};

class Cursor {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    std::size_t offset() const { return offset_; }
    std::size_t remaining() const { return bytes_.size() - offset_; }
    Place& place() { return place_; }

    [[noreturn]] void fail(const std::string& what) const {
        throw PacketError("binary packet: " + place_.describe() + ": " + what);
    }

    // The next `count` bytes. `what` names them in the message when they do not fit; with
    // `show_count` the count follows the name ("string length 300").
    std::string_view take(std::size_t count, std::string_view what, bool show_count = false) {
        if (count > remaining()) {
            std::string message(what);
            if (show_count) message += " " + std::to_string(count);
            fail(message + " runs past the end of the packet at offset " + std::to_string(offset_));
        }
        const std::string_view taken = bytes_.substr(offset_, count);
        offset_ += count;
        return taken;
    }

    uint64_t unsigned_int(std::size_t size, std::string_view what) {
        return packet_bytes::load_unsigned(take(size, what), size);
    }
    int64_t signed_int(std::size_t size, std::string_view what) {
        return packet_bytes::load_signed(take(size, what), size);
    }
    uint8_t u8(std::string_view what) { return static_cast<uint8_t>(unsigned_int(1, what)); }
    uint16_t u16(std::string_view what) { return static_cast<uint16_t>(unsigned_int(2, what)); }
    uint32_t u32(std::string_view what) { return static_cast<uint32_t>(unsigned_int(4, what)); }

    // The data after a length prefix of `prefix` bytes; `what` names the length.
    std::string_view prefixed(std::size_t prefix, std::string_view what) {
        return take(unsigned_int(prefix, what), what, true);
    }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
    Place place_;
};

// --- Header -----------------------------------------------------------------------------------

struct Header {
    uint16_t field_count = 0;
    uint32_t row_count = 0;
    uint32_t flags = 0;
    uint16_t data_offset = 0;
};

bool looks_like_text(std::string_view start) {
    return !start.empty() && std::all_of(start.begin(), start.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 || c == '\t';
    });
}

// A packet that does not start with the magic number: often an error text or an XML packet
// handed over in its place, so quote its first line.
[[noreturn]] void reject_foreign_bytes(std::string_view bytes) {
    if (bytes.empty()) throw PacketError("binary packet: the data is empty");
    const std::string_view line =
        bytes.substr(0, std::min(bytes.find_first_of("\r\n"), std::size_t{80}));
    if (looks_like_text(line)) {
        throw PacketError("binary packet: not a data packet; it starts with \"" +
                          std::string(line) + (line.size() < bytes.size() ? "...\"" : "\""));
    }
    char hex[16];
    std::string start;
    for (std::size_t i = 0; i < std::min(bytes.size(), std::size_t{8}); ++i) {
        std::snprintf(hex, sizeof hex, "%s%02X", i == 0 ? "" : " ",
                      static_cast<unsigned char>(bytes[i]));
        start += hex;
    }
    throw PacketError("binary packet: not a data packet; no packet header at offset 0 (bytes " +
                      start + ")");
}

void check_magic(std::string_view bytes) {
    if (bytes.size() < 4 || packet_bytes::load_unsigned(bytes, 4) != binary_layout::magic) {
        reject_foreign_bytes(bytes);
    }
}

Header read_header(Cursor& cursor, Packet& packet) {
    cursor.take(4, "magic number");
    packet.major_version = cursor.u16("major version");
    packet.minor_version = cursor.u16("minor version");
    if (packet.major_version > binary_layout::max_major_version) {
        cursor.fail("version " + std::to_string(packet.major_version) +
                    " is not supported (at most " +
                    std::to_string(binary_layout::max_major_version) + ")");
    }
    const uint32_t header_size = cursor.u32("header size");
    if (header_size != binary_layout::header_size) {
        cursor.fail("header size " + std::to_string(header_size) + " at offset 8 is not " +
                    std::to_string(binary_layout::header_size));
    }
    Header header;
    header.field_count = cursor.u16("field count");
    header.row_count = cursor.u32("row count");
    header.flags = cursor.u32("flags");
    header.data_offset = cursor.u16("data offset");
    if ((header.flags & binary_layout::flag_xml_inside) != 0) {
        cursor.fail("XML text inside a binary packet is not supported");
    }
    if ((header.flags & binary_layout::flag_metadata) == 0) {
        cursor.fail("a packet without field descriptors is not supported");
    }
    return header;
}

// --- Metadata ---------------------------------------------------------------------------------

std::string param_value(Cursor& cursor, const Param& param) {
    const std::size_t size = size_of(param.type_word);
    const bool varying = (param.type_word & type_flag::varying) != 0;
    if (param.is_array()) {
        if (varying)
            cursor.fail("parameter " + quoted_input(param.name) +
                        ": an array of varying values is not supported");
        const uint32_t count = cursor.u32("array element count");
        if (size == 0 && count != 0)
            cursor.fail("parameter " + quoted_input(param.name) + ": array elements of size 0");
        const uint64_t bytes = uint64_t{count} * size;
        return std::string(cursor.take(bytes, "parameter " + quoted_input(param.name) + ": " +
                                                  std::to_string(count) + " array elements"));
    }
    if (!varying)
        return std::string(cursor.take(size, "parameter " + quoted_input(param.name) + " value"));
    if (size != 1 && size != 2 && size != 4) {
        cursor.fail("parameter " + quoted_input(param.name) + ": length prefix of " +
                    std::to_string(size) + " bytes is not supported");
    }
    return std::string(cursor.prefixed(size, "parameter value length"));
}

std::vector<Param> read_params(Cursor& cursor) {
    const uint16_t count = cursor.u16("parameter count");
    std::vector<Param> params;
    params.reserve(std::min<std::size_t>(count, cursor.remaining() / 6));
    for (uint16_t i = 0; i < count; ++i) {
        Param param;
        param.name = std::string(cursor.prefixed(1, "parameter name length"));
        param.type_word = cursor.u32("parameter type");
        param.value = param_value(cursor, param);
        params.push_back(std::move(param));
    }
    return params;
}

Field read_field(Cursor& cursor) {
    Field field;
    field.name = std::string(cursor.prefixed(1, "field name length"));
    field.type_word = cursor.u32("field type");
    field.attributes = cursor.u16("field attributes");
    field.params = read_params(cursor);
    return field;
}

// The smallest field descriptor: name length, type, attributes and parameter count.
constexpr std::size_t min_descriptor_size = 1 + 4 + 2 + 2;

void read_metadata(Cursor& cursor, const Header& header, Packet& packet,
                   std::vector<ValueLayout>& layouts) {
    if (std::size_t{header.field_count} * min_descriptor_size > cursor.remaining()) {
        cursor.fail(std::to_string(header.field_count) + " field descriptors cannot fit in the " +
                    std::to_string(cursor.remaining()) + " bytes after the header");
    }
    packet.fields.reserve(header.field_count);
    cursor.place() = Place{"field", 0, nullptr};
    for (std::size_t i = 0; i < header.field_count; ++i) {
        cursor.place().index = i + 1;
        packet.fields.push_back(read_field(cursor));
        layouts.push_back(binary_layout::value_layout(packet.fields.back()));
    }
    cursor.place() = Place{"dataset parameters", 0, nullptr};
    packet.params = read_params(cursor);
    const bool has_offset = (header.flags & binary_layout::flag_data_offset) != 0;
    if (has_offset && header.data_offset != cursor.offset()) {
        cursor.fail("the data offset " + std::to_string(header.data_offset) +
                    " in the header does not match the end of the field descriptors at offset " +
                    std::to_string(cursor.offset()));
    }
}

// --- Rows -------------------------------------------------------------------------------------

std::string_view fixed_text(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

WideText wide_text(Cursor& cursor, std::string_view bytes, bool stop_at_nul) {
    if (bytes.size() % 2 != 0)
        cursor.fail("UTF-16 text of an odd byte count " + std::to_string(bytes.size()));
    WideText text;
    text.text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(packet_bytes::load_unsigned(bytes.substr(i, 2), 2));
        if (stop_at_nul && unit == 0) break;
        text.text.push_back(unit);
    }
    return text;
}

SqlTimestamp sql_timestamp(Cursor& cursor, bool with_offset) {
    SqlTimestamp stamp;
    stamp.year = static_cast<int16_t>(cursor.signed_int(2, "SQL timestamp year"));
    stamp.month = cursor.u16("SQL timestamp month");
    stamp.day = cursor.u16("SQL timestamp day");
    stamp.hour = cursor.u16("SQL timestamp hour");
    stamp.minute = cursor.u16("SQL timestamp minute");
    stamp.second = cursor.u16("SQL timestamp second");
    stamp.fraction = cursor.u32("SQL timestamp fraction");
    if (with_offset) {
        stamp.offset_hour =
            static_cast<int16_t>(cursor.signed_int(2, "SQL timestamp offset hours"));
        stamp.offset_minute =
            static_cast<int16_t>(cursor.signed_int(2, "SQL timestamp offset minutes"));
    }
    return stamp;
}

// A floating-point value; NaN and infinities are no amount or date a document could show.
double finite(Cursor& cursor, double value, const char* what) {
    if (!std::isfinite(value)) cursor.fail(binary_layout::not_finite(what, value));
    return value;
}

Bcd bcd_value(Cursor& cursor) {
    Bcd bcd;
    std::memcpy(bcd.bytes.data(), cursor.take(bcd.bytes.size(), "BCD value").data(),
                bcd.bytes.size());
    try {
        bcd.check();
    } catch (const ConversionError& error) {
        cursor.fail(error.what());
    }
    return bcd;
}

Value number_value(Cursor& cursor, const ValueLayout& layout) {
    switch (layout.kind) {
        case ValueKind::SignedInt:
            return cursor.signed_int(layout.size, "INT value");
        case ValueKind::UnsignedInt:
            return cursor.unsigned_int(layout.size, "UINT value");
        case ValueKind::Boolean:
            return cursor.unsigned_int(layout.size, "BOOL value") != 0;
        case ValueKind::Double:
            return finite(cursor, std::bit_cast<double>(cursor.unsigned_int(8, "FLOAT value")),
                          "FLOAT value");
        case ValueKind::Single:
            return finite(cursor,
                          static_cast<double>(std::bit_cast<float>(cursor.u32("SINGLE value"))),
                          "SINGLE value");
        case ValueKind::Extended: {
            unsigned char raw[10];
            std::memcpy(raw, cursor.take(10, "extended FLOAT value").data(), sizeof raw);
            return finite(cursor, binary_layout::extended_to_double(raw), "extended FLOAT value");
        }
        case ValueKind::Bcd:
            return bcd_value(cursor);
        default:
            break;
    }
    return Null{};
}

Value fixed_value(Cursor& cursor, const ValueLayout& layout) {
    switch (layout.kind) {
        case ValueKind::Date:
            return Date{static_cast<int32_t>(cursor.signed_int(4, "DATE value"))};
        case ValueKind::Time:
            return Time{static_cast<int32_t>(cursor.signed_int(4, "TIME value"))};
        case ValueKind::Timestamp:
            return Timestamp{
                finite(cursor, std::bit_cast<double>(cursor.unsigned_int(8, "TIMESTAMP value")),
                       "TIMESTAMP value")};
        case ValueKind::SqlTimestamp:
            return sql_timestamp(cursor, false);
        case ValueKind::SqlTimestampOffset:
            return sql_timestamp(cursor, true);
        case ValueKind::FixedWide:
            return wide_text(cursor, cursor.take(layout.size, "fixed wide string"), true);
        case ValueKind::VaryingWide:
            return wide_text(cursor, cursor.prefixed(layout.size, "wide string length"), false);
        default:
            return number_value(cursor, layout);
    }
}

// Reads one present value into its column; texts and bytes go in without a copy of their own.
void read_value(Cursor& cursor, const ValueLayout& layout, ColumnCells& cells) {
    switch (layout.kind) {
        case ValueKind::FixedText:
            return cells.append_text(fixed_text(cursor.take(layout.size, "fixed string")));
        case ValueKind::VaryingText:
            return cells.append_text(cursor.prefixed(layout.size, "string length"));
        case ValueKind::FixedBytes:
            return cells.append_text(cursor.take(layout.size, "fixed bytes"));
        case ValueKind::VaryingBytes: {
            const uint64_t length = cursor.unsigned_int(layout.size, "blob length");
            if (layout.size == 4 && (length & binary_layout::blob_not_delivered) != 0)
                return cells.append_null();
            return cells.append_text(cursor.take(length, "blob length", true));
        }
        default:
            return cells.append(fixed_value(cursor, layout));
    }
}

void read_row(Cursor& cursor, const Packet& packet, const std::vector<ValueLayout>& layouts,
              RowTable& rows) {
    cursor.place().field_name = nullptr;
    rows.begin_row(cursor.u8("row status"));
    const std::string_view bitmap =
        cursor.take(binary_layout::bitmap_size(packet.fields.size()), "null bitmap");
    for (std::size_t column = 0; column < packet.fields.size(); ++column) {
        const auto bits = static_cast<uint8_t>(
            (static_cast<uint8_t>(bitmap[column / 4]) >> (column % 4 * 2)) & 3);
        ColumnCells& cells = rows.column_to_fill(column);
        if ((bits & binary_layout::bits_null) != 0) {
            cells.append_null();
        } else if ((bits & binary_layout::bits_unchanged) != 0) {
            cells.append_unchanged();
        } else {
            cursor.place().field_name = &packet.fields[column].name;
            read_value(cursor, layouts[column], cells);
        }
    }
}

void read_rows(Cursor& cursor, uint32_t row_count, Packet& packet,
               const std::vector<ValueLayout>& layouts) {
    const std::size_t min_row_size = 1 + binary_layout::bitmap_size(packet.fields.size());
    if (row_count > cursor.remaining() / min_row_size) {
        cursor.place() = Place{};
        cursor.fail(std::to_string(row_count) + " rows of at least " +
                    std::to_string(min_row_size) + " bytes each cannot fit in the " +
                    std::to_string(cursor.remaining()) + " bytes from offset " +
                    std::to_string(cursor.offset()));
    }
    check_packet_dimensions("binary packet", packet.fields.size(), row_count);
    RowTable rows(packet.fields.size());
    cursor.place() = Place{"row", 0, nullptr};
    for (std::size_t i = 0; i < row_count; ++i) {
        cursor.place().index = i + 1;
        read_row(cursor, packet, layouts, rows);
    }
    if (cursor.remaining() != 0) {
        cursor.place() = Place{"after the last row", 0, nullptr};
        cursor.fail(std::to_string(cursor.remaining()) + " trailing bytes at offset " +
                    std::to_string(cursor.offset()));
    }
    rows.shrink_to_fit();
    packet.rows = std::move(rows);
}

void check_change_log_of(const Packet& packet) {
    try {
        check_change_log(packet);
    } catch (const PacketError& error) {
        throw PacketError(std::string("binary packet: dataset parameters: ") + error.what());
    }
}

}  // namespace

Packet read_binary_packet(std::string_view bytes) {
    check_magic(bytes);
    Cursor cursor(bytes);
    Packet packet;
    const Header header = read_header(cursor, packet);
    std::vector<ValueLayout> layouts;
    read_metadata(cursor, header, packet, layouts);
    read_rows(cursor, header.row_count, packet, layouts);
    check_change_log_of(packet);
    return packet;
}

}  // namespace tov::dataset
