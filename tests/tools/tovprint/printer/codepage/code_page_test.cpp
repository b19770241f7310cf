// The package's Windows-1252 text in a printer's code page, and the fallback of what it lacks.
#include <gtest/gtest.h>

#include <string>

#include "platform/errors/errors.hpp"
#include "platform/text/cp1252.hpp"
#include "printer/codepage/code_page.hpp"

namespace tovprint {
namespace {

std::string cp1252(const char* utf8) {
    return tov::text::utf8_to_cp1252(utf8);
}

// The accents of Portuguese and Spanish receipts, each in the two code pages.
TEST(CodePage, CarriesTheAccentsOfPortugueseAndSpanishInCp850AndCp860) {
    const std::string accents = cp1252("ãõçéáíóúâêôàÁÉÇñÑ¿¡ÃÕÊÔÂÍÓÚ");
    EXPECT_EQ(CodePage("CP850").encode(accents),
              "\xC6\xE4\x87\x82\xA0\xA1\xA2\xA3\x83\x88\x93\x85\xB5\x90\x80\xA4\xA5\xA8\xAD"
              "\xC7\xE5\xD2\xE2\xB6\xD6\xE0\xE9");
    EXPECT_EQ(CodePage("CP860").encode(accents),
              "\x84\x94\x87\x82\xA0\xA1\xA2\xA3\x83\x88\x93\x85\x86\x90\x80\xA4\xA5\xA8\xAD"
              "\x8E\x99\x89\x8C\x8F\x8B\x9F\x96");
    EXPECT_EQ(CodePage("CP860").encode("Total 12,50"), "Total 12,50");
}

TEST(CodePage, PrintsTheFallbackOfWhatItLacksAndSaysSo) {
    const CodePage portuguese("CP860");
    const std::string text = cp1252("ä€Œ—“ñ”");
    EXPECT_EQ(portuguese.encode(text), "aEUROE-\"\xA4\"");
    EXPECT_TRUE(portuguese.lacks(static_cast<unsigned char>(text[0])));
    EXPECT_EQ(portuguese.printed(static_cast<unsigned char>(text[1])), "EUR");
    EXPECT_FALSE(portuguese.lacks(static_cast<unsigned char>(text[5])));
    EXPECT_EQ(portuguese.printed(static_cast<unsigned char>(text[5])), "ñ");
    // The euro sign is in CP858, at the place of CP850's dotless i.
    const CodePage euro("CP858");
    EXPECT_FALSE(euro.lacks(0x80));
    EXPECT_EQ(euro.bytes_of(0x80), "\xD5");
    // Bytes Windows-1252 leaves undefined are no character anywhere.
    EXPECT_EQ(CodePage("CP850").bytes_of(0x81), "?");
}

TEST(CodePage, LeavesControlBytesAndNamesACodePageIconvLacks) {
    const CodePage code_page("CP850");
    for (const int control : {0x00, 0x0A, 0x0D, 0x1B, 0x1D, 0x7F}) {
        EXPECT_EQ(code_page.bytes_of(static_cast<unsigned char>(control)),
                  std::string(1, static_cast<char>(control)));
    }
    try {
        CodePage("CP99999");
        ADD_FAILURE();
    } catch (const tov::ArgumentError& error) {
        EXPECT_STREQ(error.what(), "code page 'CP99999' is not one iconv converts to");
    }
}

}  // namespace
}  // namespace tovprint
