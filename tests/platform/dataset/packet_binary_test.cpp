#include "platform/dataset/packet_binary.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "platform/errors/errors.hpp"

namespace tov::dataset {
namespace {

std::string load_sample(const std::string& name) {
    std::ifstream in(std::string(TOV_TEST_DATA_DIR) + "/packets/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// --- Hand-built packets, byte by byte ---------------------------------------------------------

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

std::string width_param(uint16_t width) {
    return le(5, 1) + "WIDTH" + le(make_type_word(TypeCode::UInt, 2), 4) + le(width, 2);
}

std::string packet_bytes(const std::vector<std::string>& descriptors, uint32_t row_count,
                         const std::string& rows, uint16_t major_version = 1) {
    std::string metadata;
    for (const std::string& item : descriptors) metadata += item;
    metadata += le(0, 2);  // no dataset parameters
    return le(0xBDE01996, 4) + le(major_version, 2) + le(0, 2) + le(24, 4) +
           le(descriptors.size(), 2) + le(row_count, 4) + le(3, 4) + le(24 + metadata.size(), 2) +
           metadata + rows;
}

// Reads the bytes, checks that writing gives them back, and returns the one row.
Row single_row(const std::string& bytes) {
    const Packet packet = read_binary_packet(bytes);
    EXPECT_EQ(write_binary_packet(packet), bytes);
    EXPECT_EQ(packet.rows.size(), 1u);
    return packet.rows.empty() ? Row{} : packet.rows[0];
}

std::string bcd_bytes(std::initializer_list<int> head) {
    std::string bytes;
    for (const int byte : head) bytes.push_back(static_cast<char>(byte));
    bytes.resize(18, '\0');
    return bytes;
}

// --- The sample packets -----------------------------------------------------------------------

const std::map<std::string, std::size_t> sample_row_counts = {
    {"clients.cds", 5},
    {"country.cds", 18},
    {"custoly.cds", 30},
    {"dfm_activeconnections.cds", 0},
    {"dfm_eventlog.cds", 0},
    {"employee.cds", 42},
    {"icondata_changelog.cds", 25},
    {"industry.cds", 7},
    {"items.cds", 945},
    {"orders.cds", 205},
    {"products_changelog.cds", 206},
    {"reservat.cds", 100},
    {"vendors.cds", 23},
};

TEST(BinaryPacketSamples, DecodeWithTheirRowCountsAndWriteBackByteForByte) {
    for (const auto& [name, rows] : sample_row_counts) {
        const std::string bytes = load_sample(name);
        const Packet packet = read_binary_packet(bytes);
        EXPECT_EQ(packet.rows.size(), rows) << name;
        EXPECT_EQ(write_binary_packet(packet), bytes) << name;
    }
}

TEST(BinaryPacketSamples, CountryStringsDoublesAndParameters) {
    const Packet packet = read_binary_packet(load_sample("country.cds"));
    ASSERT_EQ(packet.fields.size(), 5u);
    EXPECT_EQ(packet.fields[0].name, "Name");
    EXPECT_EQ(packet.fields[0].type(), TypeCode::ZString);
    EXPECT_EQ(packet.fields[0].width(), 24);
    EXPECT_EQ(packet.fields[3].type(), TypeCode::Float);
    EXPECT_EQ(packet.rows[0].values[0], Value(std::string("Argentina")));
    EXPECT_EQ(packet.rows[0].values[3], Value(2777815.0));
    EXPECT_EQ(packet.rows[0].values[4], Value(32300003.0));
    ASSERT_NE(packet.param("lcid"), nullptr);
    EXPECT_EQ(packet.param("LCID")->integer(), 2057);
    EXPECT_EQ(packet.param("PRIMARY_KEY")->integers(), std::vector<int64_t>{1});
}

TEST(BinaryPacketSamples, EmployeeIntegersAndTimestamps) {
    const Packet packet = read_binary_packet(load_sample("employee.cds"));
    const Row& first = packet.rows[0];
    EXPECT_EQ(first.values[0], Value(int64_t{2}));
    EXPECT_EQ(first.values[1], Value(std::string("Nelson")));
    // 1988-12-28 00:00 is day 726 099.
    EXPECT_EQ(first.values[4], Value(Timestamp{726099 * ms_per_day}));
    EXPECT_EQ(first.values[5], Value(40000.0));
}

TEST(BinaryPacketSamples, OrdersNullsAcrossBitmapBytesAndMoney) {
    const Packet packet = read_binary_packet(load_sample("orders.cds"));
    ASSERT_EQ(packet.fields.size(), 21u);
    EXPECT_EQ(packet.fields[17].subtype(), "Money");
    EXPECT_EQ(packet.fields[1].attributes, field_attribute::required);
    const Row& first = packet.rows[0];
    EXPECT_EQ(first.values[2], Value(Timestamp{725839 * ms_per_day}));
    EXPECT_EQ(first.values[3], Value(Timestamp{725860 * ms_per_day + 12 * 3600000.0}));
    EXPECT_EQ(first.values[4], Value(int64_t{114}));
    for (int column = 5; column <= 12; ++column)
        EXPECT_EQ(first.values[column], Value(Null{})) << column;
    EXPECT_EQ(first.values[13], Value(std::string("UPS")));
    EXPECT_EQ(first.values[14], Value(Null{}));
    EXPECT_EQ(first.values[18], Value(4.5));
}

TEST(BinaryPacketSamples, ReservatDatesBooleansAndNullMemo) {
    const Packet packet = read_binary_packet(load_sample("reservat.cds"));
    EXPECT_EQ(packet.fields[0].subtype(), "Autoinc");
    EXPECT_EQ(packet.fields[0].attributes, field_attribute::read_only);
    EXPECT_EQ(packet.fields[8].subtype(), "Text");
    const Row& first = packet.rows[0];
    EXPECT_EQ(first.values[6], Value(std::string("770557078235538241")));
    EXPECT_EQ(first.values[7], Value(Date{728993}));  // 1996-11-30
    EXPECT_EQ(first.values[8], Value(Null{}));
    EXPECT_EQ(first.values[10], Value(true));
}

TEST(BinaryPacketSamples, VendorsBooleanFalseAndIndustrySmallIntegers) {
    const Packet vendors = read_binary_packet(load_sample("vendors.cds"));
    EXPECT_EQ(vendors.rows[2].values[1], Value(std::string("J.W.  Luscher Mfg.")));
    EXPECT_EQ(vendors.rows[2].values[10], Value(false));
    const Packet industry = read_binary_packet(load_sample("industry.cds"));
    EXPECT_EQ(industry.fields[0].size(), 2);
    EXPECT_EQ(industry.rows[0].values[0], Value(int64_t{3579}));
}

TEST(BinaryPacketSamples, ClientsImageBlob) {
    const Packet packet = read_binary_packet(load_sample("clients.cds"));
    const int image = packet.field_index("image");
    ASSERT_EQ(image, 16);
    EXPECT_EQ(packet.fields[16].subtype(), "TypedBinary");
    EXPECT_EQ(packet.fields[16].size(), 4);
    EXPECT_EQ(std::get<std::string>(packet.rows[0].values[16]).size(), 15486u);
    EXPECT_EQ(packet.rows[0].values[8], Value(Date{727564}));  // 1993-01-01
}

TEST(BinaryPacketSamples, CustolyKeepsItsBinaryFieldName) {
    const Packet packet = read_binary_packet(load_sample("custoly.cds"));
    EXPECT_EQ(packet.field_index("State/Prov"), 7);
    EXPECT_EQ(packet.field_index("State_Prov"), -1);
}

TEST(BinaryPacketSamples, EventLogSqlTimestampField) {
    const Packet packet = read_binary_packet(load_sample("dfm_eventlog.cds"));
    EXPECT_EQ(packet.major_version, 2);
    ASSERT_EQ(packet.fields.size(), 2u);
    EXPECT_EQ(packet.fields[1].name, "Time");
    EXPECT_EQ(packet.fields[1].type(), TypeCode::SqlTimestamp);
    EXPECT_EQ(packet.fields[1].size(), 16);
    EXPECT_EQ(packet.fields[1].subtype(), "Formatted");

    Packet with_row = packet;
    const SqlTimestamp stamp{2024, 2, 29, 13, 45, 30, 250, 0, 0};
    with_row.rows.push_back({row_status::inserted, {std::string("Start"), stamp}});
    const std::string bytes = write_binary_packet(with_row);
    const std::string expected_value =
        le(2024, 2) + le(2, 2) + le(29, 2) + le(13, 2) + le(45, 2) + le(30, 2) + le(250, 4);
    EXPECT_EQ(bytes.substr(bytes.size() - 16), expected_value);
    EXPECT_EQ(read_binary_packet(bytes).rows[0].values[1], Value(stamp));
}

TEST(BinaryPacketSamples, ActiveConnectionsHasNoParameters) {
    const Packet packet = read_binary_packet(load_sample("dfm_activeconnections.cds"));
    EXPECT_EQ(packet.major_version, 1);
    EXPECT_TRUE(packet.params.empty());
    EXPECT_EQ(packet.fields[2].width(), 128);
}

// --- Damaged and foreign input ----------------------------------------------------------------

TEST(BinaryPacketDamage, EveryTruncationFailsWithPacketError) {
    const std::string bytes = load_sample("industry.cds");
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_THROW(read_binary_packet(std::string_view(bytes).substr(0, length)), PacketError)
            << length;
    }
}

TEST(BinaryPacketDamage, TrailingBytesAreRejectedWithTheirOffset) {
    const std::string bytes = load_sample("industry.cds") + "x";
    try {
        read_binary_packet(bytes);
        FAIL() << "no error";
    } catch (const PacketError& error) {
        EXPECT_NE(std::string(error.what()).find("at offset 295"), std::string::npos)
            << error.what();
    }
}

TEST(BinaryPacketDamage, TruncatedStringNamesRowFieldAndOffset) {
    const std::string rows = le(0, 1) + le(0, 1) + le(200, 1) + "short";
    const std::string bytes = packet_bytes(
        {descriptor("NAME", make_type_word(TypeCode::ZString, 1, type_flag::varying))}, 1, rows);
    try {
        read_binary_packet(bytes);
        FAIL() << "no error";
    } catch (const PacketError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("row 1, field 'NAME'"), std::string::npos) << message;
        EXPECT_NE(message.find("string length 200"), std::string::npos) << message;
        EXPECT_NE(message.find("offset " + std::to_string(bytes.size() - 5)), std::string::npos)
            << message;
    }
}

TEST(BinaryPacketDamage, ErrorTextInPlaceOfAPacketIsQuoted) {
    try {
        read_binary_packet("ORA-00942: table or view does not exist\n");
        FAIL() << "no error";
    } catch (const PacketError& error) {
        EXPECT_NE(std::string(error.what()).find("\"ORA-00942: table or view does not exist"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_THROW(read_binary_packet(""), PacketError);
    EXPECT_THROW(read_binary_packet(std::string("\x01\x02\x03\x04\x05", 5)), PacketError);
}

TEST(BinaryPacketDamage, HeaderChecks) {
    const std::string good = load_sample("industry.cds");
    std::string newer = good;
    newer[4] = 4;  // major version 4
    EXPECT_THROW(read_binary_packet(newer), PacketError);
    std::string header_size = good;
    header_size[8] = 18;
    EXPECT_THROW(read_binary_packet(header_size), PacketError);
    std::string data_offset = good;
    data_offset[22] = static_cast<char>(data_offset[22] + 1);
    EXPECT_THROW(read_binary_packet(data_offset), PacketError);
    std::string many_fields = good;
    many_fields[13] = static_cast<char>(0x7F);
    EXPECT_THROW(read_binary_packet(many_fields), PacketError);
}

TEST(BinaryPacketDamage, HugeRowCountFailsWithoutAllocatingForIt) {
    std::string bytes = load_sample("industry.cds");
    bytes.replace(14, 4, le(0xFFFFFFF0u, 4));
    try {
        read_binary_packet(bytes);
        FAIL() << "no error";
    } catch (const PacketError& error) {
        EXPECT_NE(std::string(error.what()).find("4294967280 rows"), std::string::npos)
            << error.what();
    }
}

TEST(BinaryPacketDamage, NestedTablesAndArraysAreRejectedByName) {
    const auto message_for = [](const std::string& bytes) {
        try {
            read_binary_packet(bytes);
        } catch (const PacketError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    const uint32_t nested =
        make_type_word(TypeCode::Nested, 1, type_flag::pseudo | type_flag::embedded);
    const std::string nested_message =
        message_for(packet_bytes({descriptor("LINES", nested)}, 0, "", 2));
    EXPECT_NE(nested_message.find("field 'LINES': nested tables are not supported"),
              std::string::npos)
        << nested_message;
    const std::string array_message = message_for(
        packet_bytes({descriptor("ARR", make_type_word(TypeCode::Array, 3))}, 0, "", 2));
    EXPECT_NE(array_message.find("field 'ARR'"), std::string::npos) << array_message;
}

// --- Hand-built values ------------------------------------------------------------------------

TEST(BinaryPacketValues, BcdValuesAreEighteenBytesWhateverTheDescriptorSize) {
    const uint32_t bcd_word = make_type_word(TypeCode::Bcd, 7);  // precision 10 declares 7 bytes
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"123.45", bcd_bytes({0x05, 0x02, 0x12, 0x34, 0x50})},
        {"-1234.5", bcd_bytes({0x05, 0x81, 0x12, 0x34, 0x50})},
        {"0.05", bcd_bytes({0x02, 0x02, 0x05})},
        {"0", bcd_bytes({})},
        {"42", bcd_bytes({0x02, 0x00, 0x42})},
        {"12345678901234567890123456789012",
         bcd_bytes({0x20, 0x00, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12,
                    0x34, 0x56, 0x78, 0x90, 0x12})},
    };
    for (const auto& [text, value_bytes] : cases) {
        const Bcd parsed = Bcd::from_string(text);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(parsed.bytes.data()), 18), value_bytes)
            << text;
        const std::string bytes =
            packet_bytes({descriptor("AMOUNT", bcd_word)}, 1, le(0, 2) + value_bytes);
        const Row row = single_row(bytes);
        ASSERT_TRUE(std::holds_alternative<Bcd>(row.values[0])) << text;
        EXPECT_EQ(std::get<Bcd>(row.values[0]).to_string(), text);
    }
}

TEST(BinaryPacketValues, FmtBcdFollowedByAnotherColumn) {
    const std::string rows = le(0, 2) + bcd_bytes({0x03, 0x01, 0x12, 0x30}) + le(7, 4);
    const Row row =
        single_row(packet_bytes({descriptor("PRICE", make_type_word(TypeCode::FmtBcd, 18)),
                                 descriptor("QTY", make_type_word(TypeCode::Int, 4))},
                                1, rows, 2));
    EXPECT_EQ(std::get<Bcd>(row.values[0]).to_long_double(), 12.3L);
    EXPECT_EQ(row.values[1], Value(int64_t{7}));
}

TEST(BinaryPacketValues, IntegersOfEverySize) {
    const std::string rows = le(0, 1) + le(0, 2) + le(0xFF, 1) + le(0xFFFE, 2) +
                             le(0x80000000u, 4) + le(0x8000000000000000u, 8) +
                             le(0xFFFFFFFFFFFFFFFFu, 8) + le(1, 2);
    const Row row = single_row(packet_bytes({descriptor("I1", make_type_word(TypeCode::Int, 1)),
                                             descriptor("I2", make_type_word(TypeCode::Int, 2)),
                                             descriptor("I4", make_type_word(TypeCode::Int, 4)),
                                             descriptor("I8", make_type_word(TypeCode::Int, 8)),
                                             descriptor("U8", make_type_word(TypeCode::UInt, 8)),
                                             descriptor("B", make_type_word(TypeCode::Bool, 2))},
                                            1, rows));
    EXPECT_EQ(row.values[0], Value(int64_t{-1}));
    EXPECT_EQ(row.values[1], Value(int64_t{-2}));
    EXPECT_EQ(row.values[2], Value(int64_t{INT32_MIN}));
    EXPECT_EQ(row.values[3], Value(int64_t{INT64_MIN}));
    EXPECT_EQ(row.values[4], Value(uint64_t{UINT64_MAX}));
    EXPECT_EQ(row.values[5], Value(true));
}

TEST(BinaryPacketValues, AnyNonZeroBooleanIsTrue) {
    const std::string bytes = packet_bytes({descriptor("B", make_type_word(TypeCode::Bool, 2))}, 1,
                                           le(0, 2) + le(0xFFFF, 2));
    EXPECT_EQ(read_binary_packet(bytes).rows[0].values[0], Value(true));
}

TEST(BinaryPacketValues, UnicodeTextCountsBytes) {
    const std::string text = le(u'K', 2) + le(0x00F6, 2) + le(0x20AC, 2);  // "Kö€"
    const std::string rows = le(0, 1) + le(0, 1) + le(text.size(), 2) + text;
    const Row row = single_row(
        packet_bytes({descriptor("WIDE", make_type_word(TypeCode::Unicode, 2, type_flag::varying),
                                 width_param(64), 1)},
                     1, rows));
    EXPECT_EQ(row.values[0], Value(WideText{u"K\u00F6\u20AC"}));

    const std::string odd = le(0, 1) + le(0, 1) + le(3, 2) + "abc";
    EXPECT_THROW(read_binary_packet(packet_bytes(
                     {descriptor("WIDE", make_type_word(TypeCode::Unicode, 2, type_flag::varying))},
                     1, odd)),
                 PacketError);
}

TEST(BinaryPacketValues, StringPrefixWidthComesFromTheTypeWord) {
    const std::string long_text(254, 'a');
    const std::string one_byte = le(0, 1) + le(0, 1) + le(254, 1) + long_text;
    const Packet narrow = read_binary_packet(
        packet_bytes({descriptor("S", make_type_word(TypeCode::ZString, 1, type_flag::varying),
                                 width_param(254), 1)},
                     1, one_byte));
    EXPECT_EQ(narrow.fields[0].width(), 254);
    EXPECT_EQ(narrow.rows[0].values[0], Value(long_text));

    const std::string longer(255, 'b');
    const std::string bytes =
        packet_bytes({descriptor("S", make_type_word(TypeCode::ZString, 2, type_flag::varying),
                                 width_param(255), 1)},
                     1, le(0, 1) + le(0, 1) + le(255, 2) + longer);
    EXPECT_EQ(single_row(bytes).values[0], Value(longer));

    Packet too_long = narrow;
    too_long.rows = {Row{0, {std::string(256, 'c')}}};
    EXPECT_THROW(write_binary_packet(too_long), PacketError);
}

TEST(BinaryPacketValues, NullAndUnchangedBitsAcrossBitmapBytes) {
    std::vector<std::string> fields;
    for (int i = 0; i < 9; ++i)
        fields.push_back(descriptor("C" + std::to_string(i), make_type_word(TypeCode::Int, 1)));
    // Columns 3 and 8 are NULL, column 4 is not changed; the other six carry one byte each.
    const std::string bitmap = le(0x40, 1) + le(0x02, 1) + le(0x01, 1);
    const std::string rows =
        le(row_status::modified, 1) + bitmap + std::string("\x00\x01\x02\x05\x06\x07", 6);
    const Row row = single_row(packet_bytes(fields, 1, rows));
    EXPECT_EQ(row.status, row_status::modified);
    const std::vector<Value> expected = {int64_t{0}, int64_t{1}, int64_t{2}, Null{}, Unchanged{},
                                         int64_t{5}, int64_t{6}, int64_t{7}, Null{}};
    EXPECT_EQ(row.values, expected);
}

TEST(BinaryPacketValues, FloatsSinglesAndExtended) {
    const std::string extended_one_and_half = le(0xC000000000000000u, 8) + le(0x3FFF, 2);
    const std::string extended_minus_two = le(0x8000000000000000u, 8) + le(0xC000, 2);
    const std::string rows = le(0, 2) + extended_one_and_half + le(0x40490FDB, 4) + le(0, 2) +
                             extended_minus_two + le(0x3F800000, 4);
    const std::string bytes = packet_bytes({descriptor("X", make_type_word(TypeCode::Float, 10)),
                                            descriptor("S", make_type_word(TypeCode::Single, 4))},
                                           2, rows);
    const Packet packet = read_binary_packet(bytes);
    EXPECT_EQ(write_binary_packet(packet), bytes);
    EXPECT_EQ(packet.rows[0].values[0], Value(1.5));
    EXPECT_EQ(packet.rows[0].values[1], Value(static_cast<double>(3.14159274f)));
    EXPECT_EQ(packet.rows[1].values[0], Value(-2.0));
    EXPECT_EQ(packet.rows[1].values[1], Value(1.0));
}

TEST(BinaryPacketValues, UndeliveredBlobReadsAsNull) {
    const std::string rows = le(0, 1) + le(0, 1) + le(0x80000000u | 5000, 4);
    const Packet packet = read_binary_packet(packet_bytes(
        {descriptor("PIC", make_type_word(TypeCode::Bytes, 4, type_flag::varying))}, 1, rows));
    EXPECT_EQ(packet.rows[0].values[0], Value(Null{}));
}

TEST(BinaryPacketValues, WriterRejectsValuesThatDoNotFitTheirField) {
    Packet packet;
    packet.fields.push_back({"N", "", make_type_word(TypeCode::Int, 2), 0, {}});
    packet.rows.push_back({0, {int64_t{40000}}});
    EXPECT_THROW(write_binary_packet(packet), PacketError);
    packet.rows = {Row{0, {std::string("12")}}};
    try {
        write_binary_packet(packet);
        FAIL() << "no error";
    } catch (const PacketError& error) {
        EXPECT_NE(std::string(error.what()).find("row 1, field 'N'"), std::string::npos)
            << error.what();
    }
    packet.rows = {Row{}};
    EXPECT_THROW(write_binary_packet(packet), PacketError);
}

// --- BCD text ---------------------------------------------------------------------------------

TEST(BcdText, RoundTripsAndNormalises) {
    for (const char* text :
         {"0", "1", "-1", "0.5", "123.45", "-1234.5", "0.00", "100",
          "99999999999999999999999999999999", "0.0000000000000000000000000000001"}) {
        EXPECT_EQ(Bcd::from_string(text).to_string(), text);
    }
    EXPECT_EQ(Bcd::from_string("007.50").to_string(), "7.50");
    EXPECT_EQ(Bcd::from_string("-0").to_string(), "0");
    EXPECT_EQ(Bcd::from_string("+3").to_string(), "3");
    EXPECT_EQ(Bcd::from_string(".5").to_string(), "0.5");
    EXPECT_EQ(Bcd::from_string("-1234.5").to_long_double(), -1234.5L);
}

TEST(BcdText, RejectsGarbage) {
    for (const char* text : {"", "-", ".", "1.", "1e5", "12a", " 1", "1,5", "--1",
                             "123456789012345678901234567890123"}) {
        EXPECT_THROW(Bcd::from_string(text), ConversionError) << text;
    }
    Bcd bad_digit;
    bad_digit.bytes = {0x02, 0x00, 0x1A};
    EXPECT_THROW(bad_digit.to_string(), ConversionError);
    Bcd too_precise;
    too_precise.bytes[0] = 40;
    EXPECT_THROW(too_precise.to_string(), ConversionError);
}

TEST(BcdText, ReadsNormalisedValuesByTheirOwnScale) {
    Bcd normalised;  // 123.45 stored with precision 18 and scale 6
    normalised.bytes = {18, 6, 0x00, 0x00, 0x00, 0x00, 0x01, 0x23, 0x45, 0x00, 0x00};
    EXPECT_EQ(normalised.to_string(), "123.450000");
    EXPECT_EQ(normalised.to_long_double(), 123.45L);
}

}  // namespace
}  // namespace tov::dataset
