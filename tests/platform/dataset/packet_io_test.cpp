#include "platform/dataset/packet_io.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/dataset/packet_xml.hpp"
#include "platform/errors/errors.hpp"
#include "support/process.hpp"

namespace tov::dataset {
namespace {

using ::testing::HasSubstr;

namespace fs = std::filesystem;

fs::path sample(const std::string& file) {
    return fs::path(TOV_TEST_DATA_DIR) / "packets" / file;
}

std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string detection_error(std::string_view bytes) {
    try {
        detect_packet_format(bytes);
    } catch (const PacketError& error) {
        return error.what();
    }
    return "no error";
}

// A scratch directory of its own, removed with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory()
        : path_(fs::temp_directory_path() / ("tov_packet_io_" + tov::test::process_id_text())) {
        fs::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TEST(PacketFormatDetection, TellsBinaryFromXml) {
    EXPECT_EQ(detect_packet_format(read_bytes(sample("country.cds"))), PacketFormat::Binary);
    EXPECT_EQ(detect_packet_format(read_bytes(sample("country.xml"))), PacketFormat::Xml);
    EXPECT_EQ(detect_packet_format("<DATAPACKET Version=\"2.0\"/>"), PacketFormat::Xml);
    EXPECT_EQ(detect_packet_format(" \r\n\t<?xml version=\"1.0\"?>"), PacketFormat::Xml);
    EXPECT_EQ(detect_packet_format("\xEF\xBB\xBF<?xml version=\"1.0\"?>"), PacketFormat::Xml);
    EXPECT_EQ(detect_packet_format("<!-- exported --><DATAPACKET/>"), PacketFormat::Xml);
}

TEST(PacketFormatDetection, RefusesWhatIsNoPacket) {
    EXPECT_EQ(detection_error(""), "empty data packet");
    EXPECT_EQ(detection_error(" \r\n"), "empty data packet");
    EXPECT_EQ(
        detection_error(
            "ORA-00942: table or view does not exist\nat line 1 of the statement that failed"),
        "not a data packet: 'ORA-00942: table or view does not exist at line 1 of the sta...'");
    EXPECT_EQ(detection_error("<html>"), "not a data packet: '<html>'");
    EXPECT_EQ(detection_error(std::string_view("\x96\x19\xE0", 3)),
              "not a data packet: '\x96 \xE0'");
}

TEST(PacketReading, EitherFormatGivesTheSameTable) {
    const Packet binary = read_packet(read_bytes(sample("vendors.cds")));
    const Packet xml = read_packet(read_bytes(sample("vendors.xml")));
    ASSERT_EQ(binary.rows.size(), 23u);
    ASSERT_EQ(xml.rows.size(), binary.rows.size());
    EXPECT_EQ(xml.rows[5].values[1], binary.rows[5].values[1]);
    EXPECT_THROW(read_packet("Connection refused"), PacketError);
}

std::string error_loading(const fs::path& path) {
    try {
        load_packet_file(path);
    } catch (const FileError& error) {
        return error.what();
    }
    return "no error";
}

TEST(PacketFiles, LoadNamesThePathOfABadFile) {
    ScratchDirectory scratch;
    const fs::path missing = scratch.path() / "missing.cds";
    try {
        load_packet_file(missing);
        FAIL() << "a missing file loaded";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
    }
    EXPECT_THROW(load_packet_file(scratch.path()), FileError);
    EXPECT_THAT(error_loading("/dev/zero"), HasSubstr("it is not a regular file"));
    const fs::path huge = scratch.path() / "huge.cds";
    std::ofstream(huge) << "";
    fs::resize_file(huge, max_packet_file_size + 1);  // sparse: costs no disk
    EXPECT_THAT(error_loading(huge), HasSubstr("holds 67108865 bytes; at most 67108864"));

    const fs::path garbled = scratch.path() / "garbled.xml";
    std::ofstream(garbled) << "<?xml version=\"1.0\"?><DATAPACKET><METADATA>";
    try {
        load_packet_file(garbled);
        FAIL() << "a garbled file loaded";
    } catch (const PacketError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(garbled.string() + ": XML packet:", 0), 0u)
            << error.what();
    }
}

TEST(PacketFiles, SaveAndLoadBothFormats) {
    ScratchDirectory scratch;
    const Packet original = load_packet_file(sample("reservat.xml"));
    for (const PacketFormat format : {PacketFormat::Binary, PacketFormat::Xml}) {
        const fs::path path =
            scratch.path() / (format == PacketFormat::Binary ? "copy.cds" : "copy.xml");
        save_packet_file(original, path, format);
        EXPECT_EQ(detect_packet_format(read_bytes(path)), format);
        const Packet copy = load_packet_file(path);
        ASSERT_EQ(copy.rows.size(), original.rows.size());
        for (std::size_t i = 0; i < copy.rows.size(); ++i)
            EXPECT_EQ(copy.rows[i].values, original.rows[i].values);
    }
    EXPECT_EQ(read_bytes(scratch.path() / "copy.xml"), read_bytes(sample("reservat.xml")));
    EXPECT_EQ(read_bytes(scratch.path() / "copy.cds"), read_bytes(sample("reservat.cds")));
    EXPECT_THROW(
        save_packet_file(original, scratch.path() / "no" / "such" / "dir.xml", PacketFormat::Xml),
        FileError);
}

}  // namespace
}  // namespace tov::dataset
