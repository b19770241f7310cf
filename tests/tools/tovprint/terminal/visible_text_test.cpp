#include "terminal/visible_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tovprint {
namespace {

using namespace std::string_literals;

TEST(VisibleText, NamesTheCommonControlBytesAndFollowsLineFeedsWithALineBreak) {
    EXPECT_EQ(visible_text("A\tB\r\n\x1B"
                           "E\x0C"s +
                               '\0',
                           LineBreaks::Follow),
              "A<TAB>B<CR><LF>\n<ESC>E<FF><NUL>");
}

TEST(VisibleText, KeepsEverythingOnOneLineWhenAsked) {
    EXPECT_EQ(visible_text("um\r\ndois", LineBreaks::Inline), "um<CR><LF>dois");
}

TEST(VisibleText, ShowsOtherControlsAndUndefinedWindows1252BytesInHex) {
    EXPECT_EQ(visible_text("\x01\x1F\x7F\x81\x8D\x8F\x90\x9D", LineBreaks::Inline),
              "<0x01><0x1F><0x7F><0x81><0x8D><0x8F><0x90><0x9D>");
}

TEST(VisibleText, ConvertsWindows1252LettersAndSignsToUtf8) {
    EXPECT_EQ(visible_text("S\xE3o Jo\xE3o \x80 \x93"
                           "a\x94 <b>",
                           LineBreaks::Follow),
              "S\u00E3o Jo\u00E3o \u20AC \u201Ca\u201D <b>");
}

TEST(VisibleText, DisplayWidthCountsCharactersNotBytes) {
    EXPECT_EQ(display_width("Concei\u00E7\u00E3o \u20AC"), 11u);
    EXPECT_EQ(display_width(""), 0u);
}

}  // namespace
}  // namespace tovprint
