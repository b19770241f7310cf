// Printer profiles: the built-in ones as shipped, the notation of their sequences, and the
// errors a profile of the user's gets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/errors/errors.hpp"
#include "printer/byte_notation.hpp"
#include "printer/codepage/code_page.hpp"
#include "printer/printer_profiles.hpp"

namespace tovprint {
namespace {

using namespace std::string_literals;

TEST(BuiltInProfiles, LoadWithTheirCodePagesAndGiveEachPrinterKindOneProfile) {
    const auto profiles = built_in_printer_profiles();
    ASSERT_GE(profiles.size(), 3u);
    std::map<int, std::string> profile_of_kind;
    for (const PrinterProfile& profile : profiles) {
        SCOPED_TRACE(profile.name);
        EXPECT_NO_THROW(CodePage{profile.code_page});
        EXPECT_FALSE(profile.init.empty());
        EXPECT_FALSE(profile.cut.empty());
        for (const int kind : profile.kinds) {
            const auto [other, inserted] = profile_of_kind.emplace(kind, profile.name);
            EXPECT_TRUE(inserted) << "kind " << kind << " is also in " << other->second;
        }
    }
    // The bill's kinds with ESC E / ESC F bold codes, and those with ESC E n.
    EXPECT_EQ(find_printer_profile(profile_of_kind.at(13)).bold, BoldFamily::EscEF);
    EXPECT_EQ(find_printer_profile(profile_of_kind.at(22)).bold, BoldFamily::EscEN);
    EXPECT_EQ(find_printer_profile(profile_of_kind.at(14)).bold, BoldFamily::EscEN);
}

TEST(BuiltInProfiles, TheDefaultStartsWithInitAndTheCodePageSelection) {
    const PrinterProfile profile = find_printer_profile(default_profile_name);
    EXPECT_EQ(profile.prologue(), "\x1B@\x1Bt\x02");
    EXPECT_EQ(profile.cut, "\x1DV\x42\x00"s);
    EXPECT_EQ(profile.width(), 48);
}

TEST(ByteNotation, ReadsNamesNumbersAndCharactersAndWritesThemBack) {
    EXPECT_EQ(parse_byte_notation("ESC @ ESC t 2"), "\x1B@\x1Bt\x02");
    EXPECT_EQ(parse_byte_notation("  GS V 0x42\t0 "), "\x1DV\x42\x00"s);
    EXPECT_EQ(parse_byte_notation("NUL SP DEL 255"), "\x00\x20\x7F\xFF"s);
    EXPECT_EQ(parse_byte_notation(""), "");
    for (const char* notation :
         {"ESC @", "ESC t 3", "GS V 66 0", "ESC @ ESC M 1", "ESC m", "GS V 1", "ESC E", "ESC F"}) {
        EXPECT_EQ(byte_notation(parse_byte_notation(notation)), notation);
    }
    EXPECT_EQ(byte_notation("A1\r\n"), "A 49 CR LF");
}

TEST(ByteNotation, NamesTheTokenItCannotRead) {
    for (const auto& [notation, message] : std::map<std::string, std::string>{
             {"ESC 256", "'256' is not a byte from 0 to 255"},
             {"ESC 0xZZ", "'0xZZ' is not a byte from 0 to 255"},
             {"ESC ab", "'ab' is neither a control name, a number nor one printable character"},
             {"ESCAPE", "'ESCAPE' is neither"}}) {
        try {
            parse_byte_notation(notation);
            ADD_FAILURE() << notation;
        } catch (const tov::ArgumentError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}

std::string profile_error(const std::string& json) {
    try {
        read_printer_profile(json, "mine", "'mine.json'");
    } catch (const tov::ArgumentError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ProfileFile, NamesTheFileAndTheKeyThatIsWrong) {
    const std::string good =
        R"({"description": "d", "kinds": [1], "columns": {"A": 42}, "font": "A",
            "code_page": "CP850", "code_page_number": 2, "bold": "esc-e-n",
            "init": "ESC @", "cut": "GS V 1"})";
    EXPECT_EQ(read_printer_profile(good, "mine", "'mine.json'").width(), 42);
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string changed = good;
        changed.replace(changed.find(from), from.size(), to);
        return profile_error(changed);
    };
    EXPECT_EQ(with(R"("font": "A")", R"("font": "B")"),
              "printer profile 'mine.json': font 'B' has no entry in 'columns'");
    EXPECT_EQ(with(R"("bold": "esc-e-n")", R"("bold": "heavy")"),
              "printer profile 'mine.json': key 'bold' must be \"esc-e-n\" or \"esc-e-f\", not "
              "\"heavy\"");
    EXPECT_EQ(with(R"("A": 42)", R"("A": 0)"),
              "printer profile 'mine.json': the columns of font 'A' must be a whole number from 1 "
              "to 255");
    EXPECT_EQ(with(R"("code_page_number": 2)", R"("code_page_number": 2.5)"),
              "printer profile 'mine.json': key 'code_page_number' must be a whole number from 0 "
              "to 255");
    EXPECT_EQ(with(R"("kinds": [1])", R"("kinds": [18446744073709551615])"),
              "printer profile 'mine.json': each of 'kinds' must be a whole number from "
              "-2147483648 to 2147483647");
    EXPECT_EQ(with(R"("cut": "GS V 1")", R"("cut": "GS V 1000")"),
              "printer profile 'mine.json': key 'cut': '1000' is not a byte from 0 to 255");
    EXPECT_EQ(with(R"("init": "ESC @",)", ""), "printer profile 'mine.json': missing key 'init'");
    EXPECT_EQ(with(R"("description": "d")", R"("descripton": "d")"),
              "printer profile 'mine.json': unknown key 'descripton'");
    EXPECT_EQ(profile_error("[1]"), "printer profile 'mine.json': must be a JSON object");
}

TEST(ProfileFile, SaysWhatThePrinterAnswersAndNothingWhenLeftOut) {
    const std::string base =
        R"({"description": "d", "kinds": [1], "columns": {"A": 42}, "font": "A",
            "code_page": "CP850", "code_page_number": 2, "bold": "esc-e-n",
            "init": "ESC @", "cut": "GS V 1")";
    const PrinterProfile silent = read_printer_profile(base + "}", "mine", "'mine.json'");
    EXPECT_EQ(silent.status, StatusMethod::None);
    EXPECT_EQ(silent.confirmation, ConfirmationMethod::None);
    const PrinterProfile answering = read_printer_profile(
        base + R"(, "status": "escpos", "confirmation": "paper-sensor"})", "mine", "'mine.json'");
    EXPECT_EQ(answering.status, StatusMethod::EscPos);
    EXPECT_EQ(answering.confirmation, ConfirmationMethod::PaperSensor);
    EXPECT_EQ(profile_error(base + R"(, "status": "star"})"),
              "printer profile 'mine.json': key 'status' must be \"escpos\" or \"none\", not "
              "\"star\"");
    EXPECT_EQ(profile_error(base + R"(, "confirmation": "yes"})"),
              "printer profile 'mine.json': key 'confirmation' must be \"process-id\", "
              "\"paper-sensor\" or \"none\", not \"yes\"");
    EXPECT_EQ(profile_error(base + R"(, "confirmation": true})"),
              "printer profile 'mine.json': key 'confirmation' must be a string");

    // The built-in printers answer as the printers they describe usually do.
    EXPECT_EQ(find_printer_profile("escpos").confirmation, ConfirmationMethod::ProcessId);
    EXPECT_EQ(find_printer_profile("escpos-condensed").confirmation, ConfirmationMethod::ProcessId);
    EXPECT_EQ(find_printer_profile("esc-e-f").confirmation, ConfirmationMethod::PaperSensor);
    for (const PrinterProfile& profile : built_in_printer_profiles()) {
        EXPECT_EQ(profile.status, StatusMethod::EscPos) << profile.name;
    }
}

TEST(ProfileFile, IsFoundByItsPathAndAnUnknownNameListsTheBuiltInOnes) {
    const auto file = std::filesystem::temp_directory_path() / "tovprint_test_profile.json";
    std::ofstream(file) << R"({"description": "d", "kinds": [], "columns": {"A": 32},
        "font": "A", "code_page": "CP860", "code_page_number": 3, "bold": "esc-e-f",
        "init": "ESC @", "cut": "ESC m"})";
    const PrinterProfile profile = find_printer_profile(file.string());
    EXPECT_EQ(profile.name, "tovprint_test_profile");
    EXPECT_EQ(profile.bold, BoldFamily::EscEF);
    std::filesystem::remove(file);
    try {
        find_printer_profile("epson");
        ADD_FAILURE();
    } catch (const tov::ArgumentError& error) {
        EXPECT_NE(std::string(error.what()).find("the built-in ones are esc-e-f, "),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace tovprint
