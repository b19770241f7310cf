#include "services/text_pieces.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace tov::services {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> management_pieces(std::string_view text) {
    return pieces_of_whole_lines_at_least(text, management_report_piece_min);
}

std::vector<std::string> statement_pieces(std::string_view text, std::string_view line_break) {
    return pieces_of_at_most(text, statement_piece_max, line_break);
}

std::string lines(int count, int width_with_break) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::string(static_cast<std::size_t>(width_with_break - 1), 'a' + i % 26) + "\n";
    }
    return text;
}

std::vector<std::size_t> sizes(const std::vector<std::string>& pieces) {
    std::vector<std::size_t> result;
    for (const auto& piece : pieces) result.push_back(piece.size());
    return result;
}

TEST(PiecesOfWholeLinesAtLeast, ThirtyLinesOfFortyTwoGoAsTwelveTwelveAndSix) {
    const std::string text = lines(30, 42);
    const auto pieces = management_pieces(text);
    EXPECT_EQ(sizes(pieces), (std::vector<std::size_t>{504, 504, 252}));
    EXPECT_EQ(pieces[0] + pieces[1] + pieces[2], text);
}

TEST(PiecesOfWholeLinesAtLeast, PieceReachingExactlyFiveHundredIsSentAtOnce) {
    const std::string text = lines(10, 50) + lines(1, 10);
    EXPECT_EQ(sizes(management_pieces(text)), (std::vector<std::size_t>{500, 10}));
}

TEST(PiecesOfWholeLinesAtLeast, OnlyTheLastPieceMayEndWithoutLineFeed) {
    const std::string text = lines(12, 42) + "tail without break";
    const auto pieces = management_pieces(text);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].back(), '\n');
    EXPECT_EQ(pieces[1], "tail without break");
}

TEST(PiecesOfWholeLinesAtLeast, TextWithoutLineFeedIsOnePiece) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(41, 'x') + "\r";
    EXPECT_EQ(management_pieces(text), std::vector<std::string>{text});
}

TEST(PiecesOfWholeLinesAtLeast, LongLineIsNeverCut) {
    const std::string text = std::string(1200, 'x') + "\n" + "end\n";
    EXPECT_EQ(sizes(management_pieces(text)), (std::vector<std::size_t>{1201, 4}));
}

TEST(PiecesOfWholeLinesAtLeast, EmptyTextHasNoPieces) {
    EXPECT_TRUE(management_pieces("").empty());
}

std::string line(char c, std::size_t width, const std::string& line_break) {
    return std::string(width, c) + line_break;
}

TEST(PiecesOfAtMost, ShortTextIsOnePiece) {
    EXPECT_THAT(statement_pieces("abc\ndef", "\n"), ElementsAre("abc\ndef"));
    EXPECT_THAT(statement_pieces("", "\n"), IsEmpty());
}

TEST(PiecesOfAtMost, PieceEndsAfterTheLastLineBreakWithinSixHundredTwenty) {
    const std::string first = line('a', 400, "\r\n") + line('b', 200, "\r\n");  // 604
    const std::string second = line('c', 30, "\r\n");                           // would reach 636
    EXPECT_THAT(statement_pieces(first + second, "\r\n"), ElementsAre(first, second));
}

TEST(PiecesOfAtMost, LineBreakAcrossTheLimitIsNotSplit) {
    const std::string first = line('a', 300, "\r\n");
    const std::string second = line('b', 317, "\r\n");  // its CR is character 620, its LF 621
    EXPECT_THAT(statement_pieces(first + second, "\r\n"), ElementsAre(first, second));
}

TEST(PiecesOfAtMost, LineLongerThanAPieceIsCutAtSixHundredTwenty) {
    const std::string text = std::string(1300, 'x') + "\nend\n";
    EXPECT_THAT(statement_pieces(text, "\n"),
                ElementsAre(std::string(620, 'x'), std::string(620, 'x'),
                            std::string(60, 'x') + "\nend\n"));
    EXPECT_THAT(statement_pieces(std::string(700, 'y'), ""),
                ElementsAre(std::string(620, 'y'), std::string(80, 'y')));
}

TEST(PiecesOfAtMost, TextOfExactlySixHundredTwentyIsOnePiece) {
    const std::string text = std::string(619, 'z') + "\n";
    EXPECT_THAT(statement_pieces(text + "tail", "\n"), ElementsAre(text, "tail"));
    EXPECT_THAT(statement_pieces(text, "\n"), ElementsAre(text));
}

}  // namespace
}  // namespace tov::services
