#include "platform/dataset/packet_xml.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <fstream>
#include <iterator>

#include "platform/dataset/packet_binary.hpp"
#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

const std::vector<std::string> sample_names = {"clients",  "country",  "custoly",
                                               "employee", "industry", "items",
                                               "orders",   "reservat", "vendors"};

std::string read_sample(const std::string& file) {
    std::ifstream in(std::string(TOV_TEST_DATA_DIR) + "/packets/" + file, std::ios::binary);
    EXPECT_TRUE(in) << file;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Packet xml_sample(const std::string& name) {
    return read_xml_packet(read_sample(name + ".xml"));
}

Value value_of(const Packet& packet, std::size_t row, std::string_view field) {
    const int index = packet.field_index(field);
    EXPECT_GE(index, 0) << field;
    return packet.rows.at(row).values.at(static_cast<std::size_t>(index));
}

std::string text_of(const Packet& packet, std::size_t row, std::string_view field) {
    return std::get<std::string>(value_of(packet, row, field));
}

bool is_null(const Value& value) {
    return std::holds_alternative<Null>(value);
}

int32_t day_number(int year, int month, int day) {
    // Days from 0001-01-01 (day 1), counted the slow and obvious way.
    auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int32_t days = 0;
    for (int y = 1; y < year; ++y) days += leap(y) ? 366 : 365;
    for (int m = 1; m < month; ++m) days += lengths[m - 1] + (m == 2 && leap(year) ? 1 : 0);
    return days + day;
}

std::string packet_xml(const std::string& fields, const std::string& rows,
                       const std::string& params = "<PARAMS/>") {
    return R"(<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>)" +
           fields + "</FIELDS>" + params + "</METADATA><ROWDATA>" + rows +
           "</ROWDATA></DATAPACKET>";
}

std::string error_of(std::string_view xml) {
    try {
        read_xml_packet(xml);
    } catch (const PacketError& error) {
        return error.what();
    }
    return "no error";
}

// --- the sample packets -----------------------------------------------------------------------

TEST(XmlPacketSamples, WriteBackByteForByte) {
    for (const std::string& name : sample_names) {
        const std::string original = read_sample(name + ".xml");
        EXPECT_EQ(write_xml_packet(read_xml_packet(original)), original) << name;
    }
}

TEST(XmlPacketSamples, RowCountsAndFieldTypes) {
    const std::vector<std::pair<std::string, std::size_t>> counts = {
        {"clients", 5}, {"country", 18}, {"custoly", 30},   {"employee", 42}, {"industry", 7},
        {"items", 945}, {"orders", 205}, {"reservat", 100}, {"vendors", 23}};
    for (const auto& [name, rows] : counts) EXPECT_EQ(xml_sample(name).rows.size(), rows) << name;

    const Packet reservat = xml_sample("reservat");
    EXPECT_EQ(reservat.major_version, 1);
    const Field& res_no = reservat.fields[0];
    EXPECT_EQ(res_no.type_word, make_type_word(TypeCode::Int, 4));
    EXPECT_EQ(res_no.attributes, field_attribute::read_only);
    EXPECT_EQ(res_no.subtype(), "Autoinc");
    EXPECT_EQ(reservat.fields[5].type_word,
              make_type_word(TypeCode::ZString, 1, type_flag::varying));
    EXPECT_EQ(reservat.fields[8].type_word, make_type_word(TypeCode::Bytes, 4, type_flag::varying));
    EXPECT_EQ(reservat.fields[8].width(), 30);
    EXPECT_EQ(reservat.fields[10].type_word, make_type_word(TypeCode::Bool, 2));
    EXPECT_EQ(xml_sample("industry").fields[0].type_word, make_type_word(TypeCode::Int, 2));
    EXPECT_EQ(xml_sample("orders").fields[1].attributes, field_attribute::required);
}

TEST(XmlPacketSamples, SpotValues) {
    const Packet country = xml_sample("country");
    EXPECT_EQ(text_of(country, 0, "Name"), "Argentina");
    EXPECT_EQ(std::get<double>(value_of(country, 0, "Area")), 2777815.0);
    EXPECT_EQ(country.param("LCID")->integer(), 2057);

    const Packet employee = xml_sample("employee");
    EXPECT_EQ(std::get<int64_t>(value_of(employee, 0, "EmpNo")), 2);
    EXPECT_EQ(std::get<Timestamp>(value_of(employee, 0, "HireDate")).ms,
              day_number(1988, 12, 28) * ms_per_day);
    EXPECT_EQ(std::get<double>(value_of(employee, 5, "Salary")), 33292.9375);
    EXPECT_TRUE(is_null(value_of(employee, 39, "PhoneExt")));  // Pierre Osborne
    EXPECT_EQ(text_of(employee, 38, "PhoneExt"), "218");

    const Packet orders = xml_sample("orders");
    EXPECT_EQ(std::get<Timestamp>(value_of(orders, 0, "ShipDate")).ms,
              day_number(1988, 5, 3) * ms_per_day + 12 * 3600000.0);
    EXPECT_TRUE(is_null(value_of(orders, 0, "ShipToContact")));

    const Packet reservat = xml_sample("reservat");
    EXPECT_EQ(std::get<Date>(value_of(reservat, 0, "Card_Exp")).day, 728993);  // 1996-11-30
    EXPECT_TRUE(std::get<bool>(value_of(reservat, 0, "Paid")));
    EXPECT_TRUE(is_null(value_of(reservat, 99, "Paid")));
    for (const Row& row : reservat.rows) EXPECT_TRUE(is_null(row.values[8]));

    const Packet vendors = xml_sample("vendors");
    EXPECT_FALSE(std::get<bool>(value_of(vendors, 2, "Preferred")));
    EXPECT_EQ(text_of(vendors, 2, "VendorName"), "J.W.  Luscher Mfg.");

    EXPECT_EQ(text_of(xml_sample("industry"), 1, "LONG_NAME"), "Auto & Truck");
    EXPECT_EQ(text_of(xml_sample("custoly"), 1, "Address1"), "Via Dell'Anguillara 10");
    EXPECT_EQ(xml_sample("items").param("DEFAULT_ORDER")->integers(), (std::vector<int64_t>{1, 2}));
}

TEST(XmlPacketSamples, AttributeNameWithoutFieldName) {
    const Packet custoly = xml_sample("custoly");
    EXPECT_EQ(custoly.fields[7].name, "State_Prov");
    EXPECT_TRUE(custoly.fields[7].xml_name.empty());
    EXPECT_EQ(text_of(custoly, 0, "State_Prov"), "HI");
    EXPECT_EQ(text_of(custoly, 0, "Remarks").substr(0, 22), "VIP status since 1995.");
}

TEST(XmlPacketSamples, Base64Blob) {
    const Packet clients = xml_sample("clients");
    const std::string image = text_of(clients, 0, "IMAGE");
    EXPECT_EQ(image.substr(0, 6), std::string("\x01\x00\x00\x01\x76\x3C", 6));
    EXPECT_EQ(image.substr(8, 2), "BM");
}

// --- binary and XML copies of the same tables -------------------------------------------------

std::string sixteen_digits(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
    return std::string(buffer, result.ptr);
}

void expect_same_value(const Value& from_binary, const Value& from_xml, const std::string& where) {
    if (const auto* number = std::get_if<double>(&from_binary)) {
        ASSERT_TRUE(std::holds_alternative<double>(from_xml)) << where;
        EXPECT_EQ(sixteen_digits(*number), sixteen_digits(std::get<double>(from_xml))) << where;
    } else {
        EXPECT_EQ(from_binary, from_xml) << where;
    }
}

void expect_same_params(const std::vector<Param>& binary, const std::vector<Param>& xml,
                        const std::string& where) {
    ASSERT_EQ(binary.size(), xml.size()) << where;
    for (std::size_t i = 0; i < binary.size(); ++i) {
        EXPECT_EQ(binary[i].name, xml[i].name) << where;
        EXPECT_EQ(binary[i].type_word, xml[i].type_word) << where << " " << binary[i].name;
        EXPECT_EQ(binary[i].value, xml[i].value) << where << " " << binary[i].name;
    }
}

TEST(XmlPacketSamples, AgreeWithTheBinaryCopies) {
    for (const std::string& name : sample_names) {
        const Packet binary = read_binary_packet(read_sample(name + ".cds"));
        const Packet xml = xml_sample(name);
        EXPECT_EQ(binary.major_version, xml.major_version) << name;
        ASSERT_EQ(binary.fields.size(), xml.fields.size()) << name;
        for (std::size_t i = 0; i < binary.fields.size(); ++i) {
            const Field& expected = binary.fields[i];
            const Field& actual = xml.fields[i];
            const std::string where = name + "." + expected.name;
            if (expected.name != "State/Prov") {
                EXPECT_EQ(expected.name, actual.name) << where;
            }
            EXPECT_EQ(expected.type_word, actual.type_word) << where;
            EXPECT_EQ(expected.attributes, actual.attributes) << where;
            expect_same_params(expected.params, actual.params, where);
        }
        expect_same_params(binary.params, xml.params, name);
        ASSERT_EQ(binary.rows.size(), xml.rows.size()) << name;
        for (std::size_t r = 0; r < binary.rows.size(); ++r) {
            EXPECT_EQ(binary.rows[r].status, xml.rows[r].status);
            for (std::size_t c = 0; c < binary.fields.size(); ++c) {
                expect_same_value(
                    binary.rows[r].values[c], xml.rows[r].values[c],
                    name + " row " + std::to_string(r + 1) + " " + binary.fields[c].name);
            }
        }
    }
}

TEST(XmlPacketSamples, BinaryPacketWrittenAsXmlKeepsTheRealFieldName) {
    const Packet binary = read_binary_packet(read_sample("custoly.cds"));
    const std::string xml = write_xml_packet(binary);
    EXPECT_NE(
        xml.find(
            R"(<FIELD fieldname="State/Prov" attrname="State_Prov" fieldtype="string" WIDTH="10"/>)"),
        std::string::npos);
    const Packet again = read_xml_packet(xml);
    EXPECT_EQ(again.fields[7].name, "State/Prov");
    EXPECT_EQ(again.fields[7].xml_name, "State_Prov");
    EXPECT_EQ(write_xml_packet(again), xml);
}

// --- text encodings ---------------------------------------------------------------------------

const std::string text_field = R"(<FIELD attrname="City" fieldtype="string" WIDTH="20"/>)";

TEST(XmlPacketEncoding, AnsiTextWithoutDeclarationKeepsItsBytes) {
    const std::string xml = packet_xml(text_field, "<ROW City=\"S\xE3o Paulo \x80 \x9F\"/>");
    const Packet packet = read_xml_packet(xml);
    EXPECT_EQ(text_of(packet, 0, "City"), "S\xE3o Paulo \x80 \x9F");
    EXPECT_EQ(write_xml_packet(packet), xml);
}

TEST(XmlPacketEncoding, CharacterReferencesInAnsiTextBecomeCp1252) {
    const Packet packet =
        read_xml_packet(packet_xml(text_field, R"(<ROW City="&#227;&#8364;&#1046;&#xE9;"/>)"));
    EXPECT_EQ(text_of(packet, 0, "City"), "\xE3\x80?\xE9");
}

TEST(XmlPacketEncoding, Utf8DeclarationIsConverted) {
    const std::string body =
        packet_xml(text_field, "<ROW City=\"S\xC3\xA3o \xE2\x82\xAC \xD0\x96\"/>");
    const std::string declared =
        std::string(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)") +
        body.substr(body.find("?>") + 2);
    EXPECT_EQ(text_of(read_xml_packet(declared), 0, "City"), "S\xE3o \x80 ?");
    EXPECT_EQ(text_of(read_xml_packet("\xEF\xBB\xBF" + body), 0, "City"), "S\xE3o \x80 ?");
}

TEST(XmlPacketEncoding, Utf8DeclarationOverAnsiBytesIsReadAsAnsi) {
    const std::string body = packet_xml(text_field, "<ROW City=\"S\xE3o\"/>");
    const std::string declared =
        std::string(R"(<?xml version="1.0" encoding="utf-8"?>)") + body.substr(body.find("?>") + 2);
    EXPECT_EQ(text_of(read_xml_packet(declared), 0, "City"), "S\xE3o");
}

TEST(XmlPacketEncoding, Utf8OutputDeclaresAndConverts) {
    const Packet packet = read_xml_packet(packet_xml(text_field, "<ROW City=\"S\xE3o \x80\"/>"));
    const std::string utf8 = write_xml_packet(packet, XmlEncoding::Utf8);
    EXPECT_EQ(
        utf8.rfind(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>  <DATAPACKET)", 0),
        0u);
    EXPECT_NE(utf8.find("City=\"S\xC3\xA3o \xE2\x82\xAC\""), std::string::npos);
    EXPECT_EQ(text_of(read_xml_packet(utf8), 0, "City"), "S\xE3o \x80");
}

// --- hand-written packets ---------------------------------------------------------------------

TEST(XmlPacketValues, FixedDecimals) {
    const std::string xml = packet_xml(
        R"(<FIELD attrname="Price" fieldtype="fixed" DECIMALS="2" WIDTH="10"/><FIELD attrname="Total" fieldtype="fixedFMT" DECIMALS="4" WIDTH="32"/>)",
        R"(<ROW Price="-1234.5" Total="0.05"/><ROW Price="12"/>)");
    const Packet packet = read_xml_packet(xml);
    EXPECT_EQ(packet.fields[0].type_word, make_type_word(TypeCode::Bcd, 7));
    EXPECT_EQ(packet.fields[1].type_word, make_type_word(TypeCode::FmtBcd, 18));
    EXPECT_EQ(packet.major_version, 2);
    EXPECT_EQ(packet.fields[0].decimals(), 2);
    EXPECT_EQ(std::get<Bcd>(packet.rows[0].values[0]), Bcd::from_string("-1234.5"));
    EXPECT_EQ(std::get<Bcd>(packet.rows[0].values[1]).to_string(), "0.05");
    EXPECT_TRUE(is_null(packet.rows[1].values[1]));
    EXPECT_EQ(write_xml_packet(packet), xml);
}

TEST(XmlPacketValues, WideStrings) {
    const std::string xml =
        packet_xml(R"(<FIELD attrname="Name" fieldtype="string.uni" WIDTH="300"/>)",
                   R"(<ROW Name="A&#233;&#1046;&#128512;&lt;"/>)");
    const Packet packet = read_xml_packet(xml);
    EXPECT_EQ(packet.fields[0].type_word, make_type_word(TypeCode::Unicode, 2, type_flag::varying));
    EXPECT_EQ(std::get<WideText>(packet.rows[0].values[0]).text, u"A\u00E9\u0416\U0001F600<");
    EXPECT_EQ(write_xml_packet(packet), xml);
    // Raw ANSI bytes in a wide field are Windows-1252 characters.
    const Packet raw = read_xml_packet(packet_xml(
        R"(<FIELD attrname="Name" fieldtype="string.uni"/>)", "<ROW Name=\"\x80\xE9\"/>"));
    EXPECT_EQ(std::get<WideText>(raw.rows[0].values[0]).text, u"\u20AC\u00E9");
}

TEST(XmlPacketValues, TimesAndDateTimes) {
    const std::string xml = packet_xml(
        R"(<FIELD attrname="At" fieldtype="time"/><FIELD attrname="When" fieldtype="dateTime"/><FIELD attrname="Day" fieldtype="date"/>)",
        R"(<ROW At="14:30:05123" When="20240229T23:59:59999" Day="00010101"/><ROW At="00:00:00000" When="19991231"/>)");
    const Packet packet = read_xml_packet(xml);
    EXPECT_EQ(std::get<Time>(packet.rows[0].values[0]).ms, 52205123);
    EXPECT_EQ(std::get<Timestamp>(packet.rows[0].values[1]).ms,
              day_number(2024, 2, 29) * ms_per_day + 86399999);
    EXPECT_EQ(std::get<Date>(packet.rows[0].values[2]).day, 1);
    EXPECT_EQ(std::get<Time>(packet.rows[1].values[0]).ms, 0);
    EXPECT_EQ(write_xml_packet(packet), xml);
}

TEST(XmlPacketValues, LenientForms) {
    const Packet packet = read_xml_packet(packet_xml(
        R"(<FIELD attrname="Day" fieldtype="DATE"/><FIELD attrname="When" fieldtype="datetime"/><FIELD attrname="N" fieldtype="int"/><FIELD attrname="Ok" fieldtype="Boolean"/><FIELD attrname="S" fieldtype="string" width="300"/>)",
        R"(<ROW Day="2024-02-29" When="20240229 13:45:30" N="+7" Ok="t"/>)"));
    EXPECT_EQ(std::get<Date>(packet.rows[0].values[0]).day, day_number(2024, 2, 29));
    EXPECT_EQ(std::get<Timestamp>(packet.rows[0].values[1]).ms,
              day_number(2024, 2, 29) * ms_per_day + 49530000);
    EXPECT_EQ(packet.fields[2].type_word, make_type_word(TypeCode::Int, 4));
    EXPECT_EQ(std::get<int64_t>(packet.rows[0].values[2]), 7);
    EXPECT_TRUE(std::get<bool>(packet.rows[0].values[3]));
    EXPECT_EQ(packet.fields[4].params[0].name, "WIDTH");
    EXPECT_EQ(packet.fields[4].type_word, make_type_word(TypeCode::ZString, 2, type_flag::varying));
}

TEST(XmlPacketValues, IntegersOfEverySize) {
    const std::string xml = packet_xml(
        R"(<FIELD attrname="A" fieldtype="i1"/><FIELD attrname="B" fieldtype="i8"/><FIELD attrname="C" fieldtype="ui8"/><FIELD attrname="D" fieldtype="ui1"/>)",
        R"(<ROW A="-128" B="-9223372036854775808" C="18446744073709551615" D="255"/>)");
    const Packet packet = read_xml_packet(xml);
    EXPECT_EQ(std::get<int64_t>(packet.rows[0].values[1]), INT64_MIN);
    EXPECT_EQ(std::get<uint64_t>(packet.rows[0].values[2]), UINT64_MAX);
    EXPECT_EQ(write_xml_packet(packet), xml);
}

TEST(XmlPacketValues, ChangeLogRows) {
    const std::string xml = packet_xml(
        R"(<FIELD attrname="Code" fieldtype="i4"/><FIELD attrname="Name" fieldtype="string" WIDTH="20"/>)",
        R"(<ROW RowState="4" Code="1" Name="Old"/><ROW RowState="9" Name="New"/><ROW RowState="4" Code="2"/>)",
        R"(<PARAMS CHANGE_LOG="1 0 4 2 1 8 3 0 4" AUTOINCVALUE="3"/>)");
    const Packet packet = read_xml_packet(xml);
    const Param* log = packet.param("CHANGE_LOG");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->type_word, make_type_word(TypeCode::UInt, 4, type_flag::array));
    EXPECT_EQ(log->integers(), (std::vector<int64_t>{1, 0, 4, 2, 1, 8, 3, 0, 4}));
    EXPECT_EQ(packet.param("AUTOINCVALUE")->type_word, make_type_word(TypeCode::Int, 4));
    EXPECT_EQ(packet.rows[1].status, 9);
    EXPECT_TRUE(std::holds_alternative<Unchanged>(packet.rows[1].values[0]));
    EXPECT_TRUE(is_null(packet.rows[2].values[1]));
    EXPECT_EQ(write_xml_packet(packet), xml);
}

TEST(XmlPacketValues, ParamElementsAndFlags) {
    const std::string xml = packet_xml(
        R"(<FIELD fieldname="Full Name" attrname="Full_Name" fieldtype="string" hidden="true" linkfield="true" WIDTH="40"><PARAM Name="ORIGIN" Value="PEOPLE.NAME"/><PARAM Name="SERVER_CALC" Value="TRUE" Type="boolean" Roundtrip="True"/></FIELD>)",
        R"(<ROW Full_Name="A\B&#009;&#010;&#013;&quot;"/>)",
        R"(<PARAMS LCID="1046"><PARAM Name="TABLE_NAME" Value="PEOPLE"/><PARAM Name="LIMIT" Value="-5" Type="i2"/></PARAMS>)");
    // The backslash is written as a character reference.
    const Packet packet = read_xml_packet(xml);
    const Field& field = packet.fields[0];
    EXPECT_EQ(field.name, "Full Name");
    EXPECT_EQ(field.attributes, field_attribute::hidden | field_attribute::link);
    ASSERT_EQ(field.params.size(), 3u);
    EXPECT_EQ(field.params[1].text(), "PEOPLE.NAME");
    EXPECT_EQ(field.params[2].type_word, make_type_word(TypeCode::Bool, 2) | type_flag::in_delta);
    EXPECT_EQ(field.params[2].integer(), 1);
    EXPECT_EQ(packet.param("LIMIT")->integer(), -5);
    EXPECT_EQ(text_of(packet, 0, "Full Name"), "A\\B\t\n\r\"");
    const std::string written = write_xml_packet(packet);
    EXPECT_NE(written.find(R"(Full_Name="A&#092;B&#009;&#010;&#013;&quot;")"), std::string::npos);
    EXPECT_EQ(write_xml_packet(read_xml_packet(written)), written);
}

TEST(XmlPacketValues, DoublesToSixteenDigits) {
    Packet packet;
    packet.fields.push_back(Field{"X", "", make_type_word(TypeCode::Float, 8), 0, {}});
    for (const double value :
         {134.85000000000002, 51673.14999999999, 1e-5, 1.5e20, -0.25, 0.0001}) {
        packet.rows.push_back(Row{0, {value}});
    }
    const std::string xml = write_xml_packet(packet);
    EXPECT_NE(
        xml.find(R"(<ROW X="134.85"/><ROW X="51673.14999999999"/><ROW X="1E-5"/><ROW X="1.5E20"/>)"
                 R"(<ROW X="-0.25"/><ROW X="0.0001"/>)"),
        std::string::npos);
    EXPECT_EQ(std::get<double>(read_xml_packet(xml).rows[3].values[0]), 1.5e20);
}

TEST(XmlPacketValues, FieldTypesWithoutXmlFormAreRefused) {
    Packet packet;
    packet.fields.push_back(
        Field{"Lines", "", make_type_word(TypeCode::Nested, 0, type_flag::pseudo), 0, {}});
    EXPECT_THROW(write_xml_packet(packet), PacketError);
    Packet short_row;
    short_row.fields.push_back(Field{"X", "", make_type_word(TypeCode::Int, 4), 0, {}});
    short_row.rows.push_back(Row{});
    EXPECT_THROW(write_xml_packet(short_row), PacketError);
    short_row.rows = {Row{0, {std::string("text")}}};
    EXPECT_THROW(write_xml_packet(short_row), PacketError);
}

// --- failures ---------------------------------------------------------------------------------

TEST(XmlPacketErrors, NameWhatAndWhere) {
    const std::string salary = R"(<FIELD attrname="SALARY" fieldtype="r8"/>)";
    EXPECT_EQ(error_of(packet_xml(salary, R"(<ROW SALARY="1"/><ROW SALARY="abc"/>)")),
              "XML packet: ROW 2, attribute 'SALARY': 'abc' is not a number");
    EXPECT_EQ(error_of("<?xml version=\"1.0\"?><OTHER/>"),
              "XML packet: document: no DATAPACKET element");
    EXPECT_NE(error_of("<DATAPACKET><METADATA>").find("at offset"), std::string::npos);
    EXPECT_NE(error_of("").find("XML packet"), std::string::npos);
    EXPECT_EQ(error_of(packet_xml(R"(<FIELD attrname="X" fieldtype="i9"/>)", "")),
              "XML packet: FIELD 1 ('X'): unknown fieldtype 'i9'");
    EXPECT_NE(
        error_of(packet_xml(R"(<FIELD attrname="X" fieldtype="nested"/>)", "")).find("nested"),
        std::string::npos);
    EXPECT_NE(error_of(packet_xml(R"(<FIELD attrname="X" fieldtype="string" WIDTH="wide"/>)", ""))
                  .find("FIELD 1 ('X'), attribute 'WIDTH'"),
              std::string::npos);
    EXPECT_NE(
        error_of(
            packet_xml(
                R"(<FIELD attrname="X" fieldtype="i4"/><FIELD attrname="X" fieldtype="i4"/>)", ""))
            .find("FIELD 2"),
        std::string::npos);
    EXPECT_NE(error_of(packet_xml(R"(<FIELD fieldtype="i4"/>)", "")).find("no attrname"),
              std::string::npos);
}

TEST(XmlPacketErrors, BadValues) {
    const auto value_error = [](const std::string& type, const std::string& value) {
        return error_of(packet_xml(R"(<FIELD attrname="V" fieldtype=")" + type + R"("/>)",
                                   R"(<ROW V=")" + value + R"("/>)"));
    };
    EXPECT_EQ(value_error("date", "20230229"),
              "XML packet: ROW 1, attribute 'V': '20230229' is not a date");
    EXPECT_NE(value_error("date", "2023011").find("is not a date"), std::string::npos);
    EXPECT_NE(value_error("time", "24:00:00000").find("is not a time"), std::string::npos);
    EXPECT_NE(value_error("dateTime", "20230101T1:2").find("is not a date-time"),
              std::string::npos);
    EXPECT_NE(value_error("i2", "40000").find("out of range"), std::string::npos);
    EXPECT_NE(value_error("i4", "12x").find("is not a number"), std::string::npos);
    EXPECT_NE(value_error("boolean", "yes").find("TRUE or FALSE"), std::string::npos);
    EXPECT_NE(value_error("fixed", "1.2.3").find("not a decimal number"), std::string::npos);
    EXPECT_NE(value_error("bin.hex\" SUBTYPE=\"Binary", "QUJD*").find("is not base64"),
              std::string::npos);
    EXPECT_NE(value_error("i4", "").find("is not a number"), std::string::npos);
    EXPECT_NE(
        error_of(packet_xml(R"(<FIELD attrname="V" fieldtype="i4"/>)", R"(<ROW RowState="x"/>)"))
            .find("RowState"),
        std::string::npos);
    EXPECT_NE(
        error_of(packet_xml("", "", R"(<PARAMS LCID="abc"/>)")).find("PARAMS, attribute 'LCID'"),
        std::string::npos);
}

}  // namespace
}  // namespace tov::dataset
