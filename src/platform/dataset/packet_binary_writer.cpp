// Writing a binary data packet: the inverse of the reader. The header's counts and data offset
// are recomputed from the model; every value is checked against its field before it is written.

#include <bit>
#include <cmath>
#include <limits>

#include "platform/dataset/change_log.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/dataset/packet_binary_layout.hpp"
#include "platform/dataset/packet_bytes.hpp"
#include "platform/errors/errors.hpp"
#include "platform/errors/quoted.hpp"

namespace tov::dataset {

namespace {

using binary_layout::ValueKind;
using binary_layout::ValueLayout;
using packet_bytes::append_unsigned;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw PacketError("binary packet: " + where + ": " + what);
}

constexpr uint64_t max_for_prefix(std::size_t prefix) {
    return prefix >= 4 ? 0x7FFFFFFFu : (uint64_t{1} << (prefix * 8)) - 1;
}

void append_prefixed(std::string& out, std::string_view data, std::size_t prefix,
                     const std::string& where) {
    if (data.size() > max_for_prefix(prefix)) {
        fail(where, std::to_string(data.size()) + " bytes do not fit a " + std::to_string(prefix) +
                        "-byte length prefix");
    }
    append_unsigned(out, data.size(), prefix);
    out.append(data);
}

void append_name(std::string& out, const std::string& name, const std::string& where) {
    append_prefixed(out, name, 1, where + ", name");
}

// --- Metadata ---------------------------------------------------------------------------------

void append_param_value(std::string& out, const Param& param, const std::string& where) {
    const std::size_t size = size_of(param.type_word);
    if (param.is_array()) {
        if ((size == 0 && !param.value.empty()) || (size != 0 && param.value.size() % size != 0)) {
            fail(where, std::to_string(param.value.size()) +
                            " bytes are not whole array elements of " + std::to_string(size));
        }
        append_unsigned(out, size == 0 ? 0 : param.value.size() / size, 4);
        out.append(param.value);
    } else if ((param.type_word & type_flag::varying) != 0) {
        if (size != 1 && size != 2 && size != 4)
            fail(where, "length prefix of " + std::to_string(size) + " bytes");
        append_prefixed(out, param.value, size, where);
    } else {
        if (param.value.size() != size) {
            fail(where, std::to_string(param.value.size()) + " value bytes for a size of " +
                            std::to_string(size));
        }
        out.append(param.value);
    }
}

void append_params(std::string& out, const std::vector<Param>& params, const std::string& where) {
    if (params.size() > std::numeric_limits<uint16_t>::max()) fail(where, "too many parameters");
    append_unsigned(out, params.size(), 2);
    for (const Param& param : params) {
        const std::string param_where = where + ", parameter " + quoted_input(param.name);
        append_name(out, param.name, param_where);
        append_unsigned(out, param.type_word, 4);
        append_param_value(out, param, param_where);
    }
}

void append_field(std::string& out, const Field& field) {
    const std::string where = field_label(field.name);
    append_name(out, field.name, where);
    append_unsigned(out, field.type_word, 4);
    append_unsigned(out, field.attributes, 2);
    append_params(out, field.params, where);
}

// --- Values -----------------------------------------------------------------------------------

const char* value_type_name(const Value& value) {
    static constexpr const char* names[] = {
        "NULL", "not-changed", "integer",   "unsigned integer", "Boolean", "float",    "BCD",
        "date", "time",        "timestamp", "SQL timestamp",    "text",    "wide text"};
    return names[value.index()];
}

[[noreturn]] void wrong_type(const std::string& where, const Value& value, const Field& field) {
    fail(where, std::string("a ") + value_type_name(value) +
                    " value cannot be stored in a field of type code " +
                    std::to_string(static_cast<int>(field.type())) + " and size " +
                    std::to_string(field.size()));
}

template <typename T>
const T& expect(const Value& value, const Field& field, const std::string& where) {
    const T* held = std::get_if<T>(&value);
    if (held == nullptr) wrong_type(where, value, field);
    return *held;
}

// The reader refuses NaN and infinities, so the writer does not write them.
double finite(const Value& value, const Field& field, const std::string& where, const char* what) {
    const double number = expect<double>(value, field, where);
    if (!std::isfinite(number)) fail(where, binary_layout::not_finite(what, number));
    return number;
}

void checked_bcd(const Bcd& bcd, const std::string& where) {
    try {
        bcd.check();
    } catch (const ConversionError& error) {
        fail(where, error.what());
    }
}

void append_signed(std::string& out, const Value& value, const Field& field, std::size_t size,
                   const std::string& where) {
    int64_t number = 0;
    if (const auto* as_unsigned = std::get_if<uint64_t>(&value)) {
        if (*as_unsigned > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
            wrong_type(where, value, field);
        number = static_cast<int64_t>(*as_unsigned);
    } else {
        number = expect<int64_t>(value, field, where);
    }
    const int64_t limit =
        size >= 8 ? std::numeric_limits<int64_t>::max() : (int64_t{1} << (size * 8 - 1)) - 1;
    if (number > limit || number < -limit - 1) {
        fail(where,
             std::to_string(number) + " does not fit a " + std::to_string(size) + "-byte integer");
    }
    append_unsigned(out, static_cast<uint64_t>(number), size);
}

void append_unsigned_value(std::string& out, const Value& value, const Field& field,
                           std::size_t size, const std::string& where) {
    uint64_t number = 0;
    if (const auto* as_signed = std::get_if<int64_t>(&value)) {
        if (*as_signed < 0)
            fail(where, std::to_string(*as_signed) + " is negative for an unsigned field");
        number = static_cast<uint64_t>(*as_signed);
    } else {
        number = expect<uint64_t>(value, field, where);
    }
    if (size < 8 && number >= (uint64_t{1} << (size * 8))) {
        fail(where,
             std::to_string(number) + " does not fit a " + std::to_string(size) + "-byte integer");
    }
    append_unsigned(out, number, size);
}

void append_sql_timestamp(std::string& out, const SqlTimestamp& stamp, bool with_offset) {
    append_unsigned(out, static_cast<uint16_t>(stamp.year), 2);
    for (const uint16_t part : {stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second}) {
        append_unsigned(out, part, 2);
    }
    append_unsigned(out, stamp.fraction, 4);
    if (with_offset) {
        append_unsigned(out, static_cast<uint16_t>(stamp.offset_hour), 2);
        append_unsigned(out, static_cast<uint16_t>(stamp.offset_minute), 2);
    }
}

std::string wide_bytes(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) append_unsigned(bytes, unit, 2);
    return bytes;
}

void append_fixed(std::string& out, std::string_view data, std::size_t size,
                  const std::string& where) {
    if (data.size() > size) {
        fail(where,
             std::to_string(data.size()) + " bytes do not fit the field's " + std::to_string(size));
    }
    out.append(data);
    out.append(size - data.size(), '\0');
}

void append_number(std::string& out, const Value& value, const Field& field,
                   const ValueLayout& layout, const std::string& where) {
    switch (layout.kind) {
        case ValueKind::SignedInt:
            return append_signed(out, value, field, layout.size, where);
        case ValueKind::UnsignedInt:
            return append_unsigned_value(out, value, field, layout.size, where);
        case ValueKind::Boolean:
            return append_unsigned(out, expect<bool>(value, field, where) ? 1 : 0, layout.size);
        case ValueKind::Double:
            return append_unsigned(
                out, std::bit_cast<uint64_t>(finite(value, field, where, "FLOAT value")), 8);
        case ValueKind::Single: {
            const auto single = static_cast<float>(finite(value, field, where, "SINGLE value"));
            return append_unsigned(out, std::bit_cast<uint32_t>(single), 4);
        }
        case ValueKind::Extended:
            return binary_layout::append_extended(
                out, finite(value, field, where, "extended FLOAT value"));
        case ValueKind::Bcd: {
            const Bcd& bcd = expect<Bcd>(value, field, where);
            checked_bcd(bcd, where);
            out.append(reinterpret_cast<const char*>(bcd.bytes.data()), bcd.bytes.size());
            return;
        }
        default:
            wrong_type(where, value, field);
    }
}

void append_value(std::string& out, const Value& value, const Field& field,
                  const ValueLayout& layout, const std::string& where) {
    switch (layout.kind) {
        case ValueKind::Date:
            return append_unsigned(out,
                                   static_cast<uint32_t>(expect<Date>(value, field, where).day), 4);
        case ValueKind::Time:
            return append_unsigned(out, static_cast<uint32_t>(expect<Time>(value, field, where).ms),
                                   4);
        case ValueKind::Timestamp: {
            const double ms = expect<Timestamp>(value, field, where).ms;
            if (!std::isfinite(ms)) fail(where, binary_layout::not_finite("TIMESTAMP value", ms));
            return append_unsigned(out, std::bit_cast<uint64_t>(ms), 8);
        }
        case ValueKind::SqlTimestamp:
            return append_sql_timestamp(out, expect<SqlTimestamp>(value, field, where), false);
        case ValueKind::SqlTimestampOffset:
            return append_sql_timestamp(out, expect<SqlTimestamp>(value, field, where), true);
        case ValueKind::FixedText:
        case ValueKind::FixedBytes:
            return append_fixed(out, expect<std::string>(value, field, where), layout.size, where);
        case ValueKind::VaryingText:
        case ValueKind::VaryingBytes:
            return append_prefixed(out, expect<std::string>(value, field, where), layout.size,
                                   where);
        case ValueKind::FixedWide:
            return append_fixed(out, wide_bytes(expect<WideText>(value, field, where).text),
                                layout.size, where);
        case ValueKind::VaryingWide:
            return append_prefixed(out, wide_bytes(expect<WideText>(value, field, where).text),
                                   layout.size, where);
        default:
            return append_number(out, value, field, layout, where);
    }
}

// --- Rows -------------------------------------------------------------------------------------

uint8_t bitmap_bits(CellState state) {
    if (state == CellState::Null) return binary_layout::bits_null;
    if (state == CellState::Unchanged) return binary_layout::bits_unchanged;
    return 0;
}

void append_row(std::string& out, std::size_t row, const Packet& packet,
                const std::vector<ValueLayout>& layouts) {
    const std::string where = "row " + std::to_string(row + 1);
    const RowTable& rows = packet.rows;
    if (rows.width(row) != packet.fields.size()) {
        fail(where, std::to_string(rows.width(row)) + " values for " +
                        std::to_string(packet.fields.size()) + " fields");
    }
    out.push_back(static_cast<char>(rows.status(row)));
    std::string bitmap(binary_layout::bitmap_size(packet.fields.size()), '\0');
    for (std::size_t column = 0; column < packet.fields.size(); ++column) {
        const uint8_t bits = bitmap_bits(rows.column(column).state(row));
        bitmap[column / 4] = static_cast<char>(bitmap[column / 4] | (bits << (column % 4 * 2)));
    }
    out.append(bitmap);
    for (std::size_t column = 0; column < packet.fields.size(); ++column) {
        const ColumnCells& cells = rows.column(column);
        if (!cells.has_value(row)) continue;
        append_value(out, cells.value(row), packet.fields[column], layouts[column],
                     where + ", " + field_label(packet.fields[column].name));
    }
}

// --- Header -----------------------------------------------------------------------------------

constexpr std::size_t flags_offset = 18;
constexpr std::size_t data_offset_offset = 22;

void patch_unsigned(std::string& out, std::size_t offset, uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        out[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void append_header(std::string& out, const Packet& packet) {
    if (packet.fields.size() > std::numeric_limits<uint16_t>::max())
        fail("header", "too many fields");
    if (packet.rows.size() > std::numeric_limits<uint32_t>::max()) fail("header", "too many rows");
    append_unsigned(out, binary_layout::magic, 4);
    append_unsigned(out, packet.major_version, 2);
    append_unsigned(out, packet.minor_version, 2);
    append_unsigned(out, binary_layout::header_size, 4);
    append_unsigned(out, packet.fields.size(), 2);
    append_unsigned(out, packet.rows.size(), 4);
    append_unsigned(out, binary_layout::flag_metadata | binary_layout::flag_data_offset, 4);
    append_unsigned(out, 0, 2);  // data offset, set once the metadata is written
}

// The data offset has 16 bits; a larger metadata block goes without it.
void patch_data_offset(std::string& out) {
    if (out.size() <= std::numeric_limits<uint16_t>::max()) {
        patch_unsigned(out, data_offset_offset, out.size(), 2);
    } else {
        patch_unsigned(out, flags_offset, binary_layout::flag_metadata, 4);
    }
}

}  // namespace

std::string write_binary_packet(const Packet& packet) {
    try {
        check_change_log(packet);
    } catch (const PacketError& error) {
        fail("dataset parameters", error.what());
    }
    std::vector<ValueLayout> layouts;
    layouts.reserve(packet.fields.size());
    for (const Field& field : packet.fields) layouts.push_back(binary_layout::value_layout(field));
    std::string out;
    append_header(out, packet);
    for (const Field& field : packet.fields) append_field(out, field);
    append_params(out, packet.params, "dataset parameters");
    patch_data_offset(out);
    for (std::size_t row = 0; row < packet.rows.size(); ++row)
        append_row(out, row, packet, layouts);
    return out;
}

}  // namespace tov::dataset
