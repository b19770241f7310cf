#include "statement/register_pieces.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace tov::statement {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string line(char c, std::size_t width, const std::string& line_break) {
    return std::string(width, c) + line_break;
}

TEST(RegisterPieces, ShortTextIsOnePiece) {
    EXPECT_THAT(register_pieces("abc\ndef", "\n"), ElementsAre("abc\ndef"));
    EXPECT_THAT(register_pieces("", "\n"), IsEmpty());
}

TEST(RegisterPieces, PieceEndsAfterTheLastLineBreakWithinSixHundredTwenty) {
    const std::string first = line('a', 400, "\r\n") + line('b', 200, "\r\n");  // 604
    const std::string second = line('c', 30, "\r\n");                          // would reach 636
    EXPECT_THAT(register_pieces(first + second, "\r\n"), ElementsAre(first, second));
}

TEST(RegisterPieces, LineBreakAcrossTheLimitIsNotSplit) {
    const std::string first = line('a', 300, "\r\n");
    const std::string second = line('b', 317, "\r\n");  // its CR is character 620, its LF 621
    EXPECT_THAT(register_pieces(first + second, "\r\n"), ElementsAre(first, second));
}

TEST(RegisterPieces, LineLongerThanAPieceIsCutAtSixHundredTwenty) {
    const std::string text = std::string(1300, 'x') + "\nend\n";
    EXPECT_THAT(register_pieces(text, "\n"),
                ElementsAre(std::string(620, 'x'), std::string(620, 'x'),
                            std::string(60, 'x') + "\nend\n"));
    EXPECT_THAT(register_pieces(std::string(700, 'y'), ""),
                ElementsAre(std::string(620, 'y'), std::string(80, 'y')));
}

TEST(RegisterPieces, TextOfExactlySixHundredTwentyIsOnePiece) {
    const std::string text = std::string(619, 'z') + "\n";
    EXPECT_THAT(register_pieces(text + "tail", "\n"), ElementsAre(text, "tail"));
    EXPECT_THAT(register_pieces(text, "\n"), ElementsAre(text));
}

}  // namespace
}  // namespace tov::statement
