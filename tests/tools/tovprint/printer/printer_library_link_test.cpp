// The printer library in a program of its own: this test links tovprint_printer and nothing else
// of tovprint (no command line, no package, no hand-offs), as the print service does. A receipt
// line goes from a built-in profile through its code page to a file: printer, byte for byte.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "printer/codepage/code_page.hpp"
#include "printer/printer_profiles.hpp"
#include "printer/printer_text.hpp"
#include "printer/transport/printer_address.hpp"
#include "printer/transport/printer_port.hpp"

namespace {

using namespace tovprint;
using namespace std::string_literals;

std::string file_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PrinterLibraryLink, PrintsAProfilesJobToAFilePrinter) {
    const PrinterProfile profile = find_printer_profile("escpos");
    const CodePage code_page(profile.code_page);
    // "Ação" in Windows-1252, a line feed, then CP850 on the printer: ç is 0x87, ã is 0xC6.
    const PrinterText text = printer_text("A\xE7\xE3o\n", profile.bold, code_page);
    EXPECT_TRUE(text.lacking.empty());
    EXPECT_TRUE(text.unknown_commands.empty());

    const std::filesystem::path path =
        std::filesystem::path(testing::TempDir()) / "printer_library_link.bin";
    std::filesystem::remove(path);
    const PrinterAddress address = parse_printer_address("file:" + path.string());
    auto port = open_printer_port(address, std::chrono::milliseconds(2000));
    port->write(profile.prologue());
    port->write(text.bytes);
    port->write(profile.cut);
    port->finish();
    port.reset();

    // init ESC @, ESC t 2 for CP850, the line, then the cut GS V 66 0.
    EXPECT_EQ(file_text(path),
              "\x1B@\x1Bt\x02"
              "A\x87\xC6o\n"
              "\x1DVB\x00"s);
    std::filesystem::remove(path);
}

}  // namespace
