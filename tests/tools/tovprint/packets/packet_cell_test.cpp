#include "packets/packet_cell.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tovprint {
namespace {

using namespace tov::dataset;
using namespace std::string_literals;

Field field_of(TypeCode code, uint16_t size, uint32_t flags = 0, std::string subtype = "") {
    Field field;
    field.name = "F";
    field.type_word = make_type_word(code, size, flags);
    if (!subtype.empty()) field.params.push_back(Param::make_text("SUBTYPE", subtype));
    return field;
}

TEST(PacketCell, ShowsNullAsEmptyWhateverTheType) {
    for (const auto code : {TypeCode::ZString, TypeCode::Float, TypeCode::Date, TypeCode::Bool}) {
        EXPECT_EQ(packet_cell(field_of(code, 8), Null{}), "");
    }
}

TEST(PacketCell, ShowsNumbersInTheRegionalFormatAndIntegersExactly) {
    EXPECT_EQ(packet_cell(field_of(TypeCode::Float, 8), 1234.5), "1234,5");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Int, 8), int64_t{-9007199254740993}),
              "-9007199254740993");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Bcd, 34), Bcd::from_string("-12.50")), "-12,5");
}

TEST(PacketCell, ShowsDatesTimesAndDateTimes) {
    EXPECT_EQ(packet_cell(field_of(TypeCode::Date, 4), Date{date_delta + 46364}), "08/12/2026");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Time, 4), Time{(14 * 60 + 30) * 60000}), "14:30:00");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Timestamp, 8),
                          Timestamp{(date_delta + 46364.5) * ms_per_day}),
              "08/12/2026 12:00:00");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Date, 4), Date{-5}), "<invalid date-time>");
}

TEST(PacketCell, ShowsBooleans) {
    EXPECT_EQ(packet_cell(field_of(TypeCode::Bool, 2), true), "True");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Bool, 2), false), "False");
}

TEST(PacketCell, MarksControlBytesOfTextAndGivesTheSizeOfBinaryBlobs) {
    EXPECT_EQ(packet_cell(field_of(TypeCode::ZString, 20), "Jo\xE3o\r\nSilva"s),
              "Jo\u00E3o<CR><LF>Silva");
    EXPECT_EQ(packet_cell(field_of(TypeCode::Bytes, 4, type_flag::varying, "Text"), "a\tb"s),
              "a<TAB>b");
    EXPECT_EQ(
        packet_cell(field_of(TypeCode::Bytes, 4, type_flag::varying, "Graphics"), "\x89PNG\0\0"s),
        "<6 bytes>");
}

}  // namespace
}  // namespace tovprint
