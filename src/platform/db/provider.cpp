#include "platform/db/provider.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/dataset/packet_binary.hpp"
#include "platform/db/decimal_field.hpp"
#include "platform/db/value_text.hpp"
#include "platform/errors/errors.hpp"

namespace tov::db {

namespace {

using dataset::Field;
using dataset::Param;
using dataset::TypeCode;

Field make_field(const std::string& name, uint32_t type_word) {
    Field field;
    field.name = name;
    field.type_word = type_word;
    return field;
}

Param uint16_param(const char* name, int value) {
    return Param::make_integer(name, TypeCode::UInt, 2, std::clamp(value, 0, 0xFFFF));
}

std::size_t longest_value(const Query& query, std::size_t column) {
    std::size_t longest = 0;
    for (const auto& row : query.rows())
        if (row[column]) longest = std::max(longest, row[column]->size());
    return longest;
}

Field text_field(const Query& query, std::size_t index) {
    const Column& column = query.columns()[index];
    const int width =
        std::max({column.size,
                  static_cast<int>(std::min<std::size_t>(longest_value(query, index), 0xFFFF)), 1});
    Field field =
        make_field(column.name, dataset::make_type_word(TypeCode::ZString, width < 255 ? 1 : 2,
                                                        dataset::type_flag::varying));
    field.params.push_back(uint16_param("WIDTH", width));
    return field;
}

Field field_for(const Query& query, std::size_t index) {
    const Column& column = query.columns()[index];
    switch (column.kind) {
        case ColumnKind::Integer: {
            const uint16_t size =
                column.size == 2 || column.size == 8 ? static_cast<uint16_t>(column.size) : 4;
            return make_field(column.name, dataset::make_type_word(TypeCode::Int, size));
        }
        case ColumnKind::Floating:
            return make_field(column.name, dataset::make_type_word(TypeCode::Float, 8));
        case ColumnKind::Decimal:
            return decimal_field(query, index);
        case ColumnKind::DateTime:
            return make_field(column.name, dataset::make_type_word(TypeCode::Timestamp, 8));
        case ColumnKind::Unknown:
        case ColumnKind::Text:
            break;
    }
    return text_field(query, index);
}

int64_t integer_value(const std::string& text, uint16_t size) {
    int64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw ConversionError("database value '" + text + "' is not an integer");
    const int64_t limit = size == 2   ? std::numeric_limits<int16_t>::max()
                          : size == 4 ? std::numeric_limits<int32_t>::max()
                                      : std::numeric_limits<int64_t>::max();
    if (value > limit || value < -limit - 1)
        throw ConversionError("database value " + text + " does not fit " + std::to_string(size) +
                              " bytes");
    return value;
}

// A date-time (days since 1899-12-30) as the packet's milliseconds since 0001-01-01, day 1.
double timestamp_ms(double days) {
    const double whole = std::trunc(days);
    const double time = std::abs(days - whole);
    return (whole + dataset::date_delta) * dataset::ms_per_day +
           std::round(time * dataset::ms_per_day);
}

// A decimal with at least the column's decimals, as SQL Server delivers it ("1009.90").
std::string decimal_in_scale(const std::string& text, int scale) {
    std::string value = plain_decimal(text);
    const auto point = value.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(value.size() - point - 1);
    if (decimals >= scale) return value;
    if (point == std::string::npos) value.push_back('.');
    value.append(static_cast<std::size_t>(scale - decimals), '0');
    return value;
}

dataset::Value value_for(const Field& field, const Cell& cell) {
    if (!cell) return dataset::Null{};
    const std::string& text = *cell;
    switch (field.type()) {
        case TypeCode::Int:
            return integer_value(text, field.size());
        case TypeCode::Float:
            return number_from_text(text);
        case TypeCode::Bcd:
            return dataset::Bcd::from_string(decimal_in_scale(text, field.decimals()));
        case TypeCode::Timestamp:
            return dataset::Timestamp{timestamp_ms(date_time_from_text(text))};
        default:
            return text;
    }
}

}  // namespace

dataset::Packet packet_from_query(const Query& query) {
    if (!query.active()) throw DatabaseError("provider: query " + query.name() + " is not open");
    dataset::Packet packet;
    for (std::size_t index = 0; index < query.columns().size(); ++index)
        packet.fields.push_back(field_for(query, index));
    for (const auto& cells : query.rows()) {
        dataset::Row row;
        for (std::size_t index = 0; index < packet.fields.size(); ++index) {
            try {
                row.values.push_back(value_for(packet.fields[index], cells[index]));
            } catch (const Error& error) {
                throw ConversionError("provider: query " + query.name() + ", row " +
                                      std::to_string(packet.rows.size() + 1) + ", field " +
                                      packet.fields[index].name + ": " + error.what());
            }
        }
        packet.rows.push_back(std::move(row));
    }
    return packet;
}

std::string provide_packet(const Query& query) {
    return dataset::write_binary_packet(packet_from_query(query));
}

}  // namespace tov::db
