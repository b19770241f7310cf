// The package's bytes as a printer of each bold family reads them: what is converted to the code
// page, what passes untouched, and the paper the preview lays out from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printer/codepage/code_page.hpp"
#include "printer/printer_profiles.hpp"
#include "printer/printer_text.hpp"
#include "printer/printer_tokens.hpp"
#include "printer/receipt_layout.hpp"

namespace tovprint {
namespace {

using namespace std::string_literals;
using Kind = PrinterToken::Kind;

std::vector<Kind> kinds(std::string_view bytes, BoldFamily family) {
    std::vector<Kind> read;
    for (const PrinterToken& token : read_printer_tokens(bytes, family)) read.push_back(token.kind);
    return read;
}

TEST(PrinterTokens, ReadBoldCodesAsEachFamilyDoes) {
    // The bill of kind 13: ESC E and ESC F with no parameter.
    const std::string no_parameter =
        "a\x1B"
        "ETotal\r\n\x1B"
        "FPix";
    EXPECT_EQ(kinds(no_parameter, BoldFamily::EscEF),
              (std::vector{Kind::Text, Kind::BoldOn, Kind::Text, Kind::CarriageReturn,
                           Kind::LineFeed, Kind::BoldOff, Kind::Text}));
    // Read as ESC/POS, ESC E takes 'T' as its parameter (even: bold off) and ESC F is unknown.
    const auto tokens = read_printer_tokens(no_parameter, BoldFamily::EscEN);
    EXPECT_EQ(tokens[1], (PrinterToken{Kind::BoldOff,
                                       "\x1B"
                                       "ET"}));
    EXPECT_EQ(tokens[2], (PrinterToken{Kind::Text, "otal"}));
    EXPECT_EQ(tokens[5], (PrinterToken{Kind::Unknown,
                                       "\x1B"
                                       "F"}));
    // Kinds 22 and 14: ESC E 1 / ESC E 0, and ESC E followed by a blank.
    EXPECT_EQ(kinds("\x1B"
                    "E\x01x\x1B"
                    "E\x00"s,
                    BoldFamily::EscEN),
              (std::vector{Kind::BoldOn, Kind::Text, Kind::BoldOff}));
    EXPECT_EQ(kinds("\x1B"
                    "E ",
                    BoldFamily::EscEN),
              (std::vector{Kind::BoldOff}));
    // A sequence cut short at the end of the text, and other control bytes.
    EXPECT_EQ(kinds("x\x1B"
                    "E",
                    BoldFamily::EscEN),
              (std::vector{Kind::Text, Kind::Control}));
    EXPECT_EQ(kinds("\x1B", BoldFamily::EscEF), (std::vector{Kind::Control}));
    EXPECT_EQ(kinds("\t\x0C\x1B"
                    "m",
                    BoldFamily::EscEF),
              (std::vector{Kind::Control, Kind::Control, Kind::Unknown}));
}

TEST(PrinterText, ConvertsOnlyTheTextAndNotesWhatTheUserShouldKnow) {
    const CodePage code_page("CP860");
    // "João" and "ä" (which CP860 lacks); the bold parameter 0xE3 stays a parameter.
    const std::string package =
        "Jo\xE3o\x1B"
        "E\xE3\r\n\xE4\x1B"
        "F12345";
    const PrinterText on_escpos = printer_text(package, BoldFamily::EscEN, code_page);
    EXPECT_EQ(on_escpos.bytes,
              "Jo\x84o\x1B"
              "E\xE3\r\na\x1B"
              "F12345");
    EXPECT_EQ(on_escpos.lacking, (std::set<unsigned char>{0xE4}));
    EXPECT_EQ(on_escpos.unknown_commands, (std::set<std::string>{"ESC F"}));
    EXPECT_EQ(on_escpos.widest_line, 6);
    const PrinterText on_no_parameter = printer_text(package, BoldFamily::EscEF, code_page);
    EXPECT_EQ(on_no_parameter.bytes,
              "Jo\x84o\x1B"
              "E\x84\r\na\x1B"
              "F12345");
    EXPECT_TRUE(on_no_parameter.unknown_commands.empty());
}

std::string line_text(const ReceiptLine& line) {
    std::string text;
    for (const ReceiptCell& cell : line)
        text += cell.bold ? "[" + cell.character + "]" : cell.character;
    return text;
}

std::vector<std::string> paper(std::string_view package, const char* profile_name, int columns) {
    PrinterProfile profile = find_printer_profile(profile_name);
    profile.columns[profile.font] = columns;
    const Receipt receipt = lay_out_receipt(package, profile, CodePage(profile.code_page));
    EXPECT_EQ(receipt.columns, columns);
    std::vector<std::string> lines;
    for (const ReceiptLine& line : receipt.lines) lines.push_back(line_text(line));
    return lines;
}

TEST(ReceiptLayout, WrapsAtTheProfilesWidthAndDrawsBoldAndFallbacksAsPrinted) {
    const std::string bill =
        "Lim\xE3o 1,00\r\n\x1B"
        "ETotal\r\n\x1B"
        "FPix\x80\r\n";
    EXPECT_EQ(paper(bill, "esc-e-f", 48),
              (std::vector<std::string>{"Limão 1,00", "[T][o][t][a][l]", "PixEUR"}));
    EXPECT_EQ(
        paper(bill, "esc-e-f", 4),
        (std::vector<std::string>{"Limã", "o 1,", "00", "[T][o][t][a]", "[l]", "PixE", "UR"}));
    // On an ESC/POS printer the same bytes lose the 'T' to ESC E and print nothing for ESC F.
    EXPECT_EQ(paper(bill, "escpos", 48),
              (std::vector<std::string>{"Limão 1,00", "otal", "PixEUR"}));
    // Lines end at line feeds only, however the package breaks them; an empty line stays.
    EXPECT_EQ(paper("a\n\rb\n\nc", "escpos", 48), (std::vector<std::string>{"a", "b", "", "c"}));
}

}  // namespace
}  // namespace tovprint
