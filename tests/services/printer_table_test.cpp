#include "services/printer_table.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/errors/errors.hpp"

namespace tov::services {
namespace {

const std::filesystem::path kShippedTable =
    std::filesystem::path(TOV_SOURCE_DIR) / "data" / "printers.conf";

// The message of the FileError that parsing `text` throws, or "" when it parses.
std::string parse_error(const std::string& text) {
    try {
        PrinterTable::parse(text, "'test.conf'");
    } catch (const FileError& error) {
        return error.what();
    }
    return "";
}

TEST(PrinterTable, ReadsKindsFontsWidthsAndEscapedSequences) {
    const PrinterTable table = PrinterTable::parse(
        "# kind font width break cut\n"
        "\n"
        "5   1  57  \\n\\r    \\x1DV\\x01   # condensed\n"
        "\t28\t0\t46\t\\n\t-\n"
        "-2  3  10  \\t\\\\    \\x1b\\x6D\r\n",
        "'test.conf'");
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table.layout_for(5), (PrinterLayout{1, 57, "\n\r", "\x1DV\x01"}));
    EXPECT_EQ(table.layout_for(28), (PrinterLayout{0, 46, "\n", ""}));
    EXPECT_EQ(table.layout_for(-2), (PrinterLayout{3, 10, "\t\\", "\x1Bm"}));
}

TEST(PrinterTable, AnUnknownKindGetsTheDefault) {
    const PrinterTable table = PrinterTable::parse("5 1 57 \\n\\r -\n", "'test.conf'");
    EXPECT_EQ(table.layout_for(99), default_printer_layout());
    EXPECT_EQ(default_printer_layout(), (PrinterLayout{0, 48, "\r\n", "\x1Bm"}));
    EXPECT_EQ(PrinterTable().layout_for(5), default_printer_layout());
}

TEST(PrinterTable, AStarLineReplacesTheDefault) {
    const PrinterTable table = PrinterTable::parse("* 0 40 \\n -\n7 0 48 \\r\\n -\n", "'t'");
    EXPECT_EQ(table.layout_for(8), (PrinterLayout{0, 40, "\n", ""}));
    EXPECT_EQ(table.layout_for(7).line_width, 48);
    EXPECT_FALSE(table.contains(8));
}

TEST(PrinterTableErrors, NameTheSourceAndTheLine) {
    const std::string message = parse_error("# header\n5 1 57 \\n\n");
    EXPECT_NE(message.find("'test.conf'"), std::string::npos) << message;
    EXPECT_NE(message.find("line 2"), std::string::npos) << message;
    EXPECT_NE(message.find("found 4"), std::string::npos) << message;
}

TEST(PrinterTableErrors, RejectMalformedFields) {
    const char* const bad_lines[] = {
        "x 0 48 \\n -",            // kind not a number
        "5x 0 48 \\n -",           // trailing garbage
        "99999999999 0 48 \\n -",  // kind out of range
        "5 -1 48 \\n -",           // font below 0
        "5 256 48 \\n -",          // font above a byte
        "5 0 0 \\n -",             // width zero
        "5 0 256 \\n -",           // width above a byte
        "5 0 48 \\q -",            // unknown escape
        "5 0 48 \\x1 -",           // short hex escape
        "5 0 48 \\xG1 -",          // not hex
        "5 0 48 \\n \\",           // lone backslash
        "5 0 48 \\n - extra",      // sixth field
    };
    for (const char* line : bad_lines) {
        const std::string message = parse_error(std::string("1 0 48 \\n -\n") + line + "\n");
        EXPECT_NE(message.find("line 2"), std::string::npos) << line << " -> " << message;
    }
}

TEST(PrinterTableErrors, RejectAKindGivenTwice) {
    EXPECT_NE(parse_error("5 0 48 \\n -\n\n5 0 40 \\n -\n").find("line 3"), std::string::npos);
    EXPECT_NE(parse_error("* 0 48 \\n -\n* 0 40 \\n -\n").find("line 2"), std::string::npos);
}

TEST(PrinterTableFile, LoadsTheShippedTable) {
    const PrinterTable table = PrinterTable::load(kShippedTable);
    EXPECT_EQ(table.layout_for(5), (PrinterLayout{1, 57, "\n\r", "\x1DV\x01"}));
    EXPECT_EQ(table.layout_for(28).line_width, 46);
    EXPECT_EQ(table.layout_for(1).line_width, 48);
    EXPECT_EQ(table.layout_for(16).line_break, "\r\n");
    EXPECT_EQ(table.layout_for(12345), default_printer_layout());
}

TEST(PrinterTableFile, TheBuiltInTableHoldsTheRowsOfTheShippedFile) {
    const PrinterTable shipped = PrinterTable::load(kShippedTable);
    const PrinterTable built_in = PrinterTable::built_in();
    EXPECT_EQ(built_in.size(), shipped.size());
    EXPECT_EQ(built_in.fallback(), shipped.fallback());
    for (int kind = -1; kind <= 256; ++kind) {
        EXPECT_EQ(built_in.contains(kind), shipped.contains(kind)) << kind;
        EXPECT_EQ(built_in.layout_for(kind), shipped.layout_for(kind)) << kind;
    }
}

TEST(PrinterTableFile, AMissingOrUnreadableFileIsAFileError) {
    const std::filesystem::path missing = std::filesystem::path(TOV_TEST_DATA_DIR) / "no-such.conf";
    try {
        PrinterTable::load(missing);
        FAIL() << "a missing file loaded";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("no-such.conf"), std::string::npos);
    }
    EXPECT_THROW(PrinterTable::load(TOV_TEST_DATA_DIR), FileError);
}

TEST(PrinterTableFile, ParseErrorsNameTheFile) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "tov_printer_table_test.conf";
    {
        std::ofstream out(file, std::ios::binary);
        out << "1 0 48 \\n -\r\n2 0 wide \\n -\r\n";
    }
    try {
        PrinterTable::load(file);
        FAIL() << "a malformed file loaded";
    } catch (const FileError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(file.string()), std::string::npos) << message;
        EXPECT_NE(message.find("line 2"), std::string::npos) << message;
        EXPECT_NE(message.find("width"), std::string::npos) << message;
    }
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace tov::services
