#include "platform/text/ansi_case.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tov::text {
namespace {

TEST(AnsiCase, PortugueseLetters) {
    EXPECT_EQ(ansi_upper("a\xE7\xE3o cora\xE7\xE3o"), "A\xC7\xC3O CORA\xC7\xC3O");
    EXPECT_EQ(ansi_lower("A\xC7\xC3O \xC9 \xD4"), "a\xE7\xE3o \xE9 \xF4");
}

TEST(AnsiCase, LettersOfTheHighBlock) {
    EXPECT_EQ(ansi_upper("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");  // š œ ž ÿ
    EXPECT_EQ(ansi_lower("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
}

TEST(AnsiCase, CharactersWithoutAPartnerStay) {
    // ß, µ, ƒ, × and ÷, digits and punctuation.
    const std::string fixed = "\xDF\xB5\x83\xD7\xF7 19.,-\x80";
    EXPECT_EQ(ansi_upper(fixed), fixed);
    EXPECT_EQ(ansi_lower(fixed), fixed);
}

TEST(AnsiCase, UpperAndLowerAreInverseOnLetterPairs) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char up = ansi_upper(c);
        if (up != c) {
            EXPECT_EQ(ansi_lower(up), c) << b;
        }
        const char low = ansi_lower(c);
        if (low != c) {
            EXPECT_EQ(ansi_upper(low), c) << b;
        }
    }
}

TEST(AnsiCompareText, IgnoresCase) {
    EXPECT_EQ(ansi_compare_text("Jo\xE3o", "JO\xC3O"), 0);
    EXPECT_TRUE(ansi_same_text("Jo\xE3o", "jO\xC3o"));
    EXPECT_FALSE(ansi_same_text("Joao", "Jo\xE3o"));
    EXPECT_FALSE(ansi_same_text("Jo", "Joao"));
    EXPECT_TRUE(ansi_same_text("", ""));
}

TEST(AnsiCompareText, AccentsSortWithTheirBaseLetter) {
    EXPECT_LT(ansi_compare_text("abc", "a\xE7\xE3o"), 0);
    EXPECT_LT(ansi_compare_text("a\xE7\xE3o", "ad"), 0);
    EXPECT_LT(ansi_compare_text("acao", "A\xC7\xC3O"), 0);
    EXPECT_GT(ansi_compare_text("\xC9rica", "Eduardo"), 0);
    EXPECT_LT(ansi_compare_text("\xC9rica", "Fabio"), 0);
}

TEST(AnsiCompareText, OrdersPunctuationDigitsLetters) {
    std::vector<std::string> words = {"zeta", "_x", "10", "Alfa", "beta", "9", "", "alfa2"};
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return ansi_compare_text(a, b) < 0;
    });
    const std::vector<std::string> expected = {"",     "_x",    "10",   "9",
                                               "Alfa", "alfa2", "beta", "zeta"};
    EXPECT_EQ(words, expected);
}

TEST(AnsiCompareText, IsAntisymmetric) {
    const std::vector<std::string> words = {"a",  "A",    "\xE1", "\xC1", "b",
                                            "ab", "\xDF", "ss",   "1",    "-"};
    for (const auto& a : words) {
        for (const auto& b : words) {
            const int ab = ansi_compare_text(a, b);
            const int ba = ansi_compare_text(b, a);
            EXPECT_EQ((ab > 0) - (ab < 0), -((ba > 0) - (ba < 0))) << a << " " << b;
        }
    }
}

}  // namespace
}  // namespace tov::text
