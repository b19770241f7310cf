// How much a packet may declare, and what a packet of many NULL cells costs.
#include "platform/dataset/packet_limits.hpp"

#include <gtest/gtest.h>

#include <string>

#include "platform/dataset/client_dataset.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/dataset/packet_xml.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

// An XML packet of `fields` i4 fields and `rows` empty rows: every cell NULL.
std::string empty_rows(int fields, int rows) {
    std::string xml =
        R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>)";
    for (int field = 0; field < fields; ++field) {
        xml += R"(<FIELD attrname="F)" + std::to_string(field) + R"(" fieldtype="i4"/>)";
    }
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (int row = 0; row < rows; ++row) xml += "<ROW/>";
    return xml + "</ROWDATA></DATAPACKET>";
}

std::string le(uint64_t value, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

template <typename Call>
std::string error_of(Call call) {
    try {
        call();
    } catch (const PacketError& error) {
        return error.what();
    }
    return "no error";
}

// 5,000 fields and 2,000 empty rows, 211 KB of XML: ten million NULL cells in a few megabytes.
TEST(PacketLimits, NullCellsOfAWidePacketTakeAboutABitEach) {
    const std::string xml = empty_rows(5000, 2000);
    const Packet packet = read_xml_packet(xml);
    EXPECT_LT(packet.rows.memory_bytes(), 4u << 20);
    ClientDataSet dataset;
    dataset.SetData(xml);
    EXPECT_EQ(dataset.RecordCount(), 2000);
    EXPECT_TRUE(dataset.FieldByName("F4999").IsNull());
}

TEST(PacketLimits, PacketsDeclaringTooManyCellsAreRefusedBeforeTheirRows) {
    EXPECT_EQ(
        error_of([] { read_xml_packet(empty_rows(5000, 10001)); }),
        "XML packet: 5000 fields and 10001 rows make 50005000 cells, more than the 50000000 a "
        "packet may hold");
    EXPECT_NO_THROW(read_xml_packet(empty_rows(5000, 10000)));

    // 20,000 fields and 2,501 rows: each row is at least its status and bitmap, 5,001 bytes.
    std::string metadata;
    for (int field = 0; field < 20000; ++field) {
        metadata += le(1, 1) + "F" + le(make_type_word(TypeCode::Int, 4), 4) + le(0, 2) + le(0, 2);
    }
    metadata += le(0, 2);
    const std::string header = le(0xBDE01996, 4) + le(1, 2) + le(0, 2) + le(24, 4) + le(20000, 2) +
                               le(2501, 4) + le(1, 4) + le(0, 2);
    const std::string bytes = header + metadata + std::string(2501 * 5001, '\x55');
    EXPECT_EQ(
        error_of([&] { read_binary_packet(bytes); }),
        "binary packet: 20000 fields and 2501 rows make 50020000 cells, more than the 50000000 a "
        "packet may hold");
}

TEST(PacketLimits, FieldsBeyondTheLimitAreRefused) {
    const std::string message = error_of([] { read_xml_packet(empty_rows(65536, 0)); });
    EXPECT_EQ(message, "XML packet: 65536 fields are more than the 65535 a packet may hold");
}

}  // namespace
}  // namespace tov::dataset
