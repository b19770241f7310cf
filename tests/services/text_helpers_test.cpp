#include "services/text_helpers.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tov::services {
namespace {

TEST(TamFixo, PadsOnTheRightOrCutsToTheWidth) {
    EXPECT_EQ(TamFixo("Cod.", 6), "Cod.  ");
    EXPECT_EQ(TamFixo("Refrigerante", 4), "Refr");
    EXPECT_EQ(TamFixo("Mesa", 4), "Mesa");
    EXPECT_EQ(TamFixo("", 3), "   ");
}

TEST(TamFixoR, PadsOnTheLeftOrKeepsTheStartOfTheText) {
    EXPECT_EQ(TamFixoR("12,50", 8), "   12,50");
    EXPECT_EQ(TamFixoR("1.234,56", 5), "1.234");
    EXPECT_EQ(TamFixoR("", 2), "  ");
}

TEST(FixedCells, AWidthOfZeroOrLessGivesAnEmptyText) {
    for (const int width : {0, -1, -48}) {
        EXPECT_EQ(TamFixo("abc", width), "");
        EXPECT_EQ(TamFixoR("abc", width), "");
        EXPECT_EQ(Centraliza("abc", width), "");
        EXPECT_EQ(Replicate("-", width), "");
    }
}

TEST(FixedCells, AWidthAbove255IsTakenAsGiven) {
    EXPECT_EQ(TamFixo("a", 300).size(), 300u);
    EXPECT_EQ(Centraliza("a", 256).size(), 256u);
}

TEST(PadL, PadsInFrontToTheWidth) {
    EXPECT_EQ(PadL("1.234,56", 12), "    1.234,56");
    EXPECT_EQ(PadL("0,00", 4), "0,00");
}

TEST(PadL, NeverCutsTheText) {
    EXPECT_EQ(PadL("1.234.567,89", 5), "1.234.567,89");
    EXPECT_EQ(PadL("12,00", 0), "12,00");
    EXPECT_EQ(PadL("12,00", -7), "12,00");
}

TEST(Centraliza, SplitsTheSpareBlanksWithTheOddOneOnTheRight) {
    EXPECT_EQ(Centraliza("ab", 6), "  ab  ");
    EXPECT_EQ(Centraliza("ab", 7), "  ab   ");
    EXPECT_EQ(Centraliza("abc", 6), " abc  ");
    EXPECT_EQ(Centraliza("", 3), "   ");
}

TEST(Centraliza, NeverCutsATextLongerThanTheWidth) {
    EXPECT_EQ(Centraliza("CUPOM DE TROCA", 5), "CUPOM DE TROCA");
    EXPECT_EQ(Centraliza("PRAZO PARA TROCA: 7,5 DIAS", 20), "PRAZO PARA TROCA: 7,5 DIAS");
    EXPECT_EQ(Centraliza("CUPOM", 5), "CUPOM");
}

TEST(Replicate, RepeatsTheText) {
    EXPECT_EQ(Replicate("-", 5), "-----");
    EXPECT_EQ(Replicate("ab", 3), "ababab");
    EXPECT_EQ(Replicate("", 10), "");
}

TEST(Ajusta, PadsWithZerosInFront) {
    EXPECT_EQ(Ajusta("1", 2), "01");
    EXPECT_EQ(Ajusta("42", 6), "000042");
    EXPECT_EQ(Ajusta("", 2), "00");
}

TEST(Ajusta, LeavesATextAtOrAboveTheWidthUnchanged) {
    EXPECT_EQ(Ajusta("12", 2), "12");
    EXPECT_EQ(Ajusta("123", 2), "123");
    EXPECT_EQ(Ajusta("7", 0), "7");
    EXPECT_EQ(Ajusta("7", -3), "7");
}

TEST(EmptyString, CountsBlanksAndControlBytesAsEmpty) {
    EXPECT_TRUE(EmptyString(""));
    EXPECT_TRUE(EmptyString("   "));
    EXPECT_TRUE(EmptyString(" \t\r\n"));
    EXPECT_TRUE(EmptyString(std::string("\0 ", 2)));
}

TEST(EmptyString, AnyVisibleByteMakesTheTextNonEmpty) {
    EXPECT_FALSE(EmptyString("  0 "));
    EXPECT_FALSE(EmptyString("\xE9"));   // é
    EXPECT_FALSE(EmptyString("\xA0x"));  // no-break space, then a letter
}

TEST(RemoveAcentos, ReplacesEveryAccentedLowerCaseLetter) {
    EXPECT_EQ(RemoveAcentos("\xE0\xE1\xE2\xE3\xE4\xE5"), "aaaaaa");
    EXPECT_EQ(RemoveAcentos("\xE7"), "c");
    EXPECT_EQ(RemoveAcentos("\xE8\xE9\xEA\xEB"), "eeee");
    EXPECT_EQ(RemoveAcentos("\xEC\xED\xEE\xEF"), "iiii");
    EXPECT_EQ(RemoveAcentos("\xF1"), "n");
    EXPECT_EQ(RemoveAcentos("\xF2\xF3\xF4\xF5\xF6\xF8"), "oooooo");
    EXPECT_EQ(RemoveAcentos("\xF9\xFA\xFB\xFC"), "uuuu");
    EXPECT_EQ(RemoveAcentos("\xFD\xFF"), "yy");
    EXPECT_EQ(RemoveAcentos("\x9A\x9E"), "sz");
}

TEST(RemoveAcentos, ReplacesEveryAccentedUpperCaseLetter) {
    EXPECT_EQ(RemoveAcentos("\xC0\xC1\xC2\xC3\xC4\xC5"), "AAAAAA");
    EXPECT_EQ(RemoveAcentos("\xC7"), "C");
    EXPECT_EQ(RemoveAcentos("\xC8\xC9\xCA\xCB"), "EEEE");
    EXPECT_EQ(RemoveAcentos("\xCC\xCD\xCE\xCF"), "IIII");
    EXPECT_EQ(RemoveAcentos("\xD1"), "N");
    EXPECT_EQ(RemoveAcentos("\xD2\xD3\xD4\xD5\xD6\xD8"), "OOOOOO");
    EXPECT_EQ(RemoveAcentos("\xD9\xDA\xDB\xDC"), "UUUU");
    EXPECT_EQ(RemoveAcentos("\xDD\x9F"), "YY");
    EXPECT_EQ(RemoveAcentos("\x8A\x8E"), "SZ");
}

TEST(RemoveAcentos, LeavesEveryOtherByteAlone) {
    const std::string kept = "Caf\xE9 \xC6\xE6\xDF\xD0\xF0\xDE\xFE\xD7\xF7\xAA\xBA\x80\r\n\x1B";
    const std::string plain = RemoveAcentos(kept);
    EXPECT_EQ(plain, "Cafe \xC6\xE6\xDF\xD0\xF0\xDE\xFE\xD7\xF7\xAA\xBA\x80\r\n\x1B");
    std::string ascii;
    for (int byte = 0; byte < 0x80; ++byte) ascii += static_cast<char>(byte);
    EXPECT_EQ(RemoveAcentos(ascii), ascii);
}

TEST(RemoveAcentos, KeepsTheLengthOfAStatement) {
    const std::string line =
        "A\xE7\xFA"
        "car refinado  1,00\r\n";
    EXPECT_EQ(RemoveAcentos(line), "Acucar refinado  1,00\r\n");
}

TEST(Iif, ReturnsTheValueTheConditionSelects) {
    EXPECT_EQ(iif(true, 1, 2), 1);
    EXPECT_EQ(iif(false, 1, 2), 2);
    EXPECT_EQ(iif(false, std::string("Mesa"), "Comanda"), "Comanda");
    EXPECT_DOUBLE_EQ(iif(true, 1, 2.5), 1.0);
}

}  // namespace
}  // namespace tov::services
