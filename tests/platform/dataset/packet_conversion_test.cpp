// Converting packets between the binary and XML forms: nothing is lost or cut on the way, and a
// writer refuses what the reader of its form would refuse, in the reader's words, so that no
// conversion succeeds into a file that cannot be read back.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "platform/dataset/client_dataset.hpp"
#include "platform/dataset/packet_binary.hpp"
#include "platform/dataset/packet_io.hpp"
#include "platform/dataset/packet_xml.hpp"
#include "platform/errors/errors.hpp"
#include "support/process.hpp"

namespace tov::dataset {
namespace {

std::string le(uint64_t value, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

std::string descriptor(const std::string& name, uint32_t type_word, const std::string& params = "",
                       uint16_t param_count = 0) {
    return le(name.size(), 1) + name + le(type_word, 4) + le(0, 2) + le(param_count, 2) + params;
}

// A binary packet of the given descriptors, dataset parameters and rows.
std::string binary(const std::vector<std::string>& descriptors, uint32_t row_count,
                   const std::string& rows, const std::string& params = "",
                   uint16_t param_count = 0) {
    std::string metadata;
    for (const std::string& item : descriptors) metadata += item;
    metadata += le(param_count, 2) + params;
    return le(0xBDE01996, 4) + le(1, 2) + le(0, 2) + le(24, 4) + le(descriptors.size(), 2) +
           le(row_count, 4) + le(3, 4) + le(24 + metadata.size(), 2) + metadata + rows;
}

std::string xml(const std::string& fields, const std::string& rows,
                const std::string& params = "<PARAMS/>") {
    return R"(<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>)" +
           fields + "</FIELDS>" + params + "</METADATA><ROWDATA>" + rows +
           "</ROWDATA></DATAPACKET>";
}

template <typename Call>
std::string error_of(Call call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

const uint32_t varying_text = make_type_word(TypeCode::ZString, 1, type_flag::varying);

TEST(PacketConversion, NulInsideATextSurvivesBothForms) {
    const std::string text("A\0B", 3);
    const std::string width =
        le(5, 1) + "WIDTH" + le(make_type_word(TypeCode::UInt, 2), 4) + le(20, 2);
    const std::string bytes =
        binary({descriptor("S", varying_text, width, 1)}, 1, le(0, 1) + le(0, 1) + le(3, 1) + text);
    const std::string as_xml = write_xml_packet(read_binary_packet(bytes));
    EXPECT_NE(as_xml.find(R"(S="A&#000;B")"), std::string::npos) << as_xml;
    const Packet back = read_xml_packet(as_xml);
    EXPECT_EQ(back.rows[0].values[0], Value(text));
    EXPECT_EQ(write_binary_packet(back), bytes);

    const Packet references = read_xml_packet(xml(
        R"(<FIELD attrname="S" fieldtype="string" WIDTH="9"/><FIELD attrname="W" fieldtype="string.uni"/>)",
        R"(<ROW S="x&#0;y&#x0;" W="&#00;z"/>)"));
    EXPECT_EQ(references.rows[0].values[0], Value(std::string("x\0y\0", 4)));
    EXPECT_EQ(references.rows[0].values[1], Value(WideText{std::u16string(u"\0z", 2)}));
}

TEST(PacketConversion, XmlWriterRefusesWhatTheXmlReaderRefusesInItsWords) {
    // A WIDTH of -5, as a signed binary parameter can hold.
    const std::string width =
        le(5, 1) + "WIDTH" + le(make_type_word(TypeCode::Int, 2), 4) + le(0xFFFB, 2);
    const Packet negative_width =
        read_binary_packet(binary({descriptor("S", varying_text, width, 1)}, 0, ""));
    EXPECT_EQ(
        error_of([&] { write_xml_packet(negative_width); }), error_of([] {
            read_xml_packet(xml(R"(<FIELD attrname="S" fieldtype="string" WIDTH="-5"/>)", ""));
        }));

    const std::string twice = le(5, 1) + "WIDTH" + le(make_type_word(TypeCode::UInt, 2), 4) +
                              le(1, 2) + le(5, 1) + "width" +
                              le(make_type_word(TypeCode::UInt, 2), 4) + le(2, 2);
    const Packet width_twice =
        read_binary_packet(binary({descriptor("S", varying_text, twice, 2)}, 0, ""));
    EXPECT_EQ(error_of([&] { write_xml_packet(width_twice); }), error_of([] {
                  read_xml_packet(
                      xml(R"(<FIELD attrname="S" fieldtype="string" WIDTH="1" width="2"/>)", ""));
              }));

    Packet values;
    values.fields = {Field{"N", "", make_type_word(TypeCode::UInt, 2), 0, {}},
                     Field{"X", "", make_type_word(TypeCode::Float, 8), 0, {}}};
    values.rows = {Row{0, {int64_t{70000}, 1.0}}};
    EXPECT_EQ(
        error_of([&] { write_xml_packet(values); }), error_of([] {
            read_xml_packet(xml(R"(<FIELD attrname="N" fieldtype="ui2"/>)", R"(<ROW N="70000"/>)"));
        }));
    values.rows = {Row{0, {int64_t{1}, std::numeric_limits<double>::quiet_NaN()}}};
    const std::string nan_error = error_of([&] { write_xml_packet(values); });
    EXPECT_EQ(nan_error, "XML packet: ROW 1, attribute 'X': 'NAN' is not a finite number");
    EXPECT_EQ(
        nan_error, error_of([] {
            read_xml_packet(xml(R"(<FIELD attrname="X" fieldtype="r8"/>)", R"(<ROW X="NAN"/>)"));
        }));
}

TEST(PacketConversion, NanAndInfinityAreRefusedNamingFieldAndRow) {
    const std::string field = descriptor("AMOUNT", make_type_word(TypeCode::Float, 8));
    const std::string good = le(0, 1) + le(0, 1) + le(std::bit_cast<uint64_t>(1.5), 8);
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        const std::string bytes =
            binary({field}, 2, good + le(0, 1) + le(0, 1) + le(std::bit_cast<uint64_t>(bad), 8));
        const std::string message = error_of([&] { read_binary_packet(bytes); });
        EXPECT_NE(message.find("row 2, field 'AMOUNT': FLOAT value"), std::string::npos) << message;
        EXPECT_NE(message.find("is not a finite number"), std::string::npos) << message;
    }
    for (const char* text : {"NAN", "INF", "-inf", "Infinity"}) {
        const std::string message = error_of([&] {
            read_xml_packet(
                xml(R"(<FIELD attrname="AMOUNT" fieldtype="r8"/>)",
                    R"(<ROW AMOUNT="1"/><ROW AMOUNT=")" + std::string(text) + R"("/>)"));
        });
        EXPECT_EQ(message, "XML packet: ROW 2, attribute 'AMOUNT': '" + std::string(text) +
                               "' is not a finite number");
    }
    Packet code;
    code.fields = {Field{"AMOUNT", "", make_type_word(TypeCode::Float, 8), 0, {}}};
    code.rows = {Row{0, {std::numeric_limits<double>::infinity()}}};
    EXPECT_NE(error_of([&] {
                  write_binary_packet(code);
              }).find("row 1, field 'AMOUNT': FLOAT value infinity"),
              std::string::npos);
}

TEST(PacketConversion, DecimalsTheTextCannotCarryAreRefusedEverywhere) {
    const std::string field = descriptor("V", make_type_word(TypeCode::Bcd, 4));
    std::string scale_63(18, '\0');
    scale_63[0] = 1;   // one digit
    scale_63[1] = 63;  // 63 decimal places
    scale_63[2] = 0x50;
    const std::string bytes = binary({field}, 1, le(0, 1) + le(0, 1) + scale_63);
    EXPECT_EQ(error_of([&] { read_binary_packet(bytes); }),
              "binary packet: row 1, field 'V': BCD value: scale 63 exceeds 32 digits");

    Bcd bad;
    std::copy(scale_63.begin(), scale_63.end(), bad.bytes.begin());
    Packet code;
    code.fields = {Field{"V", "", make_type_word(TypeCode::Bcd, 4), 0, {}}};
    code.rows = {Row{0, {bad}}};
    EXPECT_EQ(error_of([&] { write_binary_packet(code); }),
              "binary packet: row 1, field 'V': BCD value: scale 63 exceeds 32 digits");
    EXPECT_EQ(error_of([&] { write_xml_packet(code); }),
              "XML packet: row 1, field 'V': BCD value: scale 63 exceeds 32 digits");

    bad.bytes[0] = 255;
    bad.bytes[1] = 2;
    code.rows = {Row{0, {bad}}};
    EXPECT_EQ(error_of([&] { write_xml_packet(code); }),
              "XML packet: row 1, field 'V': BCD value: precision 255 exceeds 32 digits");
}

// A decimal marked special holds no number: it reads as NULL, never as NaN, and XML leaves it out.
TEST(PacketConversion, DecimalsMarkedSpecialReadAsNull) {
    std::string special(18, '\0');
    special[1] = 0x40;
    const std::string bytes = binary({descriptor("V", make_type_word(TypeCode::Bcd, 4))}, 1,
                                     le(0, 1) + le(0, 1) + special);
    ClientDataSet dataset;
    dataset.SetData(bytes);
    const FieldRef value = dataset.FieldByName("V");
    EXPECT_TRUE(value.IsNull());
    EXPECT_EQ(value.AsFloat(), 0);
    EXPECT_EQ(value.AsVariant(), Variant(VariantNull{}));
    EXPECT_EQ(write_binary_packet(read_binary_packet(bytes)), bytes);
    EXPECT_NE(write_xml_packet(read_binary_packet(bytes)).find("<ROW/>"), std::string::npos);
}

TEST(PacketConversion, BrokenChangeLogsAreRefusedByReadersAndWriters) {
    // Rows 1 and 2 replace each other.
    const std::string log = le(10, 1) + "CHANGE_LOG" +
                            le(make_type_word(TypeCode::UInt, 4, type_flag::array), 4) + le(6, 4) +
                            le(1, 4) + le(2, 4) + le(8, 4) + le(2, 4) + le(1, 4) + le(8, 4);
    const std::string row = le(row_status::modified, 1) + le(0, 1) + le(1, 1) + "a";
    const std::string bytes = binary({descriptor("S", varying_text)}, 2, row + row, log, 1);
    const std::string read_error = error_of([&] { read_binary_packet(bytes); });
    EXPECT_EQ(read_error,
              "binary packet: dataset parameters: change log: the versions of row 1 form a cycle");

    Packet code;
    code.fields = {Field{"S", "", varying_text, 0, {}}};
    code.rows = {Row{row_status::modified, {std::string("a")}},
                 Row{row_status::modified, {std::string("a")}}};
    code.params = {Param::make_array("CHANGE_LOG", TypeCode::UInt, 4, {1, 2, 8, 2, 1, 8})};
    EXPECT_EQ(error_of([&] { write_binary_packet(code); }), read_error);
    const std::string xml_error = error_of([&] { write_xml_packet(code); });
    EXPECT_EQ(xml_error, error_of([] {
                  read_xml_packet(xml(R"(<FIELD attrname="S" fieldtype="string"/>)",
                                      R"(<ROW RowState="8" S="a"/><ROW RowState="8" S="a"/>)",
                                      R"(<PARAMS CHANGE_LOG="1 2 8 2 1 8"/>)"));
              }));
    EXPECT_NE(xml_error.find(
                  "PARAMS, attribute 'CHANGE_LOG': change log: the versions of row 1 form a cycle"),
              std::string::npos);
}

TEST(PacketConversion, ErrorsOfAFileNameTheFile) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("tov_conversion_" + tov::test::process_id_text() + ".cds");
    std::ofstream(path, std::ios::binary)
        << binary({descriptor("V", make_type_word(TypeCode::Bcd, 4))}, 1,
                  le(0, 1) + le(0, 1) + le(40, 1) + std::string(17, '\0'));
    const std::string message = error_of([&] { load_packet_file(path); });
    std::filesystem::remove(path);
    EXPECT_EQ(message,
              path.string() +
                  ": binary packet: row 1, field 'V': BCD value: precision 40 exceeds 32 digits");
}

TEST(PacketConversion, MessagesQuoteAtMostALineOfTheirInput) {
    const std::string long_name(1 << 20, 'N');
    const std::string message = error_of([&] {
        read_xml_packet(xml(R"(<FIELD attrname=")" + long_name + R"(" fieldtype="i4"/>)",
                            "<ROW " + long_name + R"(="x"/>)"));
    });
    EXPECT_LT(message.size(), 200u) << message.substr(0, 300);
    EXPECT_NE(message.find("is not a number"), std::string::npos);

    Packet packet;
    packet.fields = {Field{"CODE", "", varying_text, 0, {}}};
    ClientDataSet dataset;
    dataset.SetData(packet);
    EXPECT_LT(error_of([&] { dataset.FieldByName(long_name); }).size(), 200u);
    dataset.SetFiltered(true);
    const std::string filter_error =
        error_of([&] { dataset.SetFilter("CODE = '" + std::string(4 << 20, 'x') + "' AND"); });
    EXPECT_LT(filter_error.size(), 300u) << filter_error.substr(0, 400);
    EXPECT_NE(filter_error.find("at position"), std::string::npos) << filter_error.substr(0, 400);
    packet.fields[0].params = {Param::make_text("WIDTH", "wide")};
    EXPECT_EQ(error_of([&] { packet.fields[0].width(); }),
              "field 'CODE': parameter 'WIDTH' is not an integer");
}

}  // namespace
}  // namespace tov::dataset
