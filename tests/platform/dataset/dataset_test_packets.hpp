#pragma once
// Small packets built in code for the filter and client dataset tests.

#include <string>
#include <utility>
#include <vector>

#include "platform/dataset/packet.hpp"

namespace tov::dataset::testing {

inline Field make_field(std::string name, TypeCode code, uint16_t size, uint32_t flags = 0) {
    Field field;
    field.name = std::move(name);
    field.type_word = make_type_word(code, size, flags);
    return field;
}

// An 8-bit string of up to width characters, with a one-byte length prefix.
inline Field text_field(std::string name, uint16_t width = 20) {
    Field field = make_field(std::move(name), TypeCode::ZString, 1, type_flag::varying);
    field.params.push_back(Param::make_integer("WIDTH", TypeCode::UInt, 2, width));
    return field;
}
inline Field int_field(std::string name) {
    return make_field(std::move(name), TypeCode::Int, 4);
}
inline Field float_field(std::string name) {
    return make_field(std::move(name), TypeCode::Float, 8);
}
inline Field bcd_field(std::string name) {
    return make_field(std::move(name), TypeCode::Bcd, 8);
}
inline Field date_field(std::string name) {
    return make_field(std::move(name), TypeCode::Date, 4);
}
inline Field time_field(std::string name) {
    return make_field(std::move(name), TypeCode::Time, 4);
}
inline Field timestamp_field(std::string name) {
    return make_field(std::move(name), TypeCode::Timestamp, 8);
}
inline Field bool_field(std::string name) {
    return make_field(std::move(name), TypeCode::Bool, 2);
}
inline Field memo_field(std::string name) {
    Field field = make_field(std::move(name), TypeCode::Bytes, 4, type_flag::varying);
    field.params.push_back(Param::make_text("SUBTYPE", "Text"));
    return field;
}

inline Row make_row(std::vector<Value> values) {
    return Row{0, std::move(values)};
}

inline Packet make_packet(std::vector<Field> fields, std::vector<Row> rows) {
    Packet packet;
    packet.fields = std::move(fields);
    packet.rows = std::move(rows);
    return packet;
}

// Day number (day 1 = 0001-01-01) of a date, as packets store it.
inline Date date_of(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int year_of_era = y - era * 400;
    const int day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    const int days_since_1970 = era * 146097 + day_of_era - 719468;
    return Date{days_since_1970 + 719163};
}

}  // namespace tov::dataset::testing
