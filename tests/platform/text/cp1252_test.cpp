#include "platform/text/cp1252.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tov::text {
namespace {

std::string all_bytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    const std::string bytes = all_bytes();
    const std::string utf8 = cp1252_to_utf8(bytes);
    EXPECT_TRUE(is_valid_utf8(utf8));
    EXPECT_EQ(utf8_to_cp1252(utf8), bytes);
}

TEST(Cp1252, EveryByteRoundTripsThroughUtf16) {
    const std::string bytes = all_bytes();
    const std::u16string utf16 = cp1252_to_utf16(bytes);
    ASSERT_EQ(utf16.size(), 256u);
    EXPECT_EQ(utf16_to_cp1252(utf16), bytes);
}

TEST(Cp1252, TheHighBlockMapsToItsUnicodeCharacters) {
    EXPECT_EQ(cp1252_to_utf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252_to_utf8("\x8A\x9A\x8C\x9C\x8E\x9E\x9F"),
              "\u0160\u0161\u0152\u0153\u017D\u017E\u0178");
    EXPECT_EQ(cp1252_to_utf8("\x93"
                             "a\x94"),
              "\u201C"
              "a\u201D");
    EXPECT_EQ(cp1252_to_utf8("a\xE7\xE3o"), "a\u00E7\u00E3o");
    EXPECT_EQ(cp1252_to_utf16("\x85\xFF"), u"\u2026\u00FF");
}

TEST(Cp1252, UndefinedBytesAreC1Controls) {
    for (const unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = cp1252_to_utf8(one);
        ASSERT_EQ(utf8.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(utf8[0]), 0xC2);
        EXPECT_EQ(static_cast<unsigned char>(utf8[1]), byte);
        EXPECT_EQ(utf8_to_cp1252(utf8), one);
        EXPECT_EQ(cp1252_to_utf16(one), std::u16string(1, static_cast<char16_t>(byte)));
    }
    // The other C1 controls have no byte of their own.
    EXPECT_EQ(utf8_to_cp1252("\u0080\u009F"), "??");
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(utf8_to_cp1252("a\u03A9b"), "a?b");          // Greek capital omega
    EXPECT_EQ(utf8_to_cp1252("\xF0\x9F\x98\x80!"), "?!");  // emoji, one '?' for four bytes
    EXPECT_EQ(utf16_to_cp1252(u"x\U0001F600y"), "x?y");    // a surrogate pair gives one '?'
    EXPECT_EQ(utf16_to_cp1252(std::u16string(1, char16_t(0xD800)) + u"z"), "?z");
    EXPECT_EQ(utf16_to_cp1252(std::u16string(1, char16_t(0xDC00))), "?");
}

TEST(Cp1252, MalformedUtf8NeverFails) {
    EXPECT_EQ(utf8_to_cp1252("\xC3"), "?");  // truncated at the end
    EXPECT_EQ(utf8_to_cp1252("\xC3"
                             "A"),
              "?A");                                     // continuation missing
    EXPECT_EQ(utf8_to_cp1252("\xC0\xAF"), "??");         // overlong lead byte
    EXPECT_EQ(utf8_to_cp1252("\xE0\x80\xAF"), "?");      // overlong three-byte form
    EXPECT_EQ(utf8_to_cp1252("\xED\xA0\x80"), "?");      // encoded surrogate
    EXPECT_EQ(utf8_to_cp1252("\xF4\x90\x80\x80"), "?");  // above U+10FFFF
    EXPECT_EQ(utf8_to_cp1252("\x80x\xBF"), "?x?");       // stray continuation bytes
    EXPECT_EQ(utf8_to_cp1252("\xF8\x88\x80\x80\x80"), "?????");
    EXPECT_EQ(utf8_to_cp1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252, RecognisesValidUtf8) {
    EXPECT_TRUE(is_valid_utf8(""));
    EXPECT_TRUE(is_valid_utf8("plain"));
    EXPECT_TRUE(is_valid_utf8("a\u00E7\u20AC\U0001F600"));
    EXPECT_FALSE(is_valid_utf8("\xE7"));  // a Windows-1252 'ç'
    EXPECT_FALSE(is_valid_utf8("\xE2\x82"));
    EXPECT_FALSE(is_valid_utf8("\xED\xBF\xBF"));
    EXPECT_FALSE(is_valid_utf8("\xC1\xBF"));
}

}  // namespace
}  // namespace tov::text
