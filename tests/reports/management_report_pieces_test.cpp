#include "reports/management_report_pieces.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tov::reports {
namespace {

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

TEST(ManagementReportPieces, ThirtyLinesOfFortyTwoGoAsTwelveTwelveAndSix) {
    const std::string text = lines(30, 42);
    const auto pieces = management_report_pieces(text);
    EXPECT_EQ(sizes(pieces), (std::vector<std::size_t>{504, 504, 252}));
    EXPECT_EQ(pieces[0] + pieces[1] + pieces[2], text);
}

TEST(ManagementReportPieces, PieceReachingExactlyFiveHundredIsSentAtOnce) {
    const std::string text = lines(10, 50) + lines(1, 10);
    EXPECT_EQ(sizes(management_report_pieces(text)), (std::vector<std::size_t>{500, 10}));
}

TEST(ManagementReportPieces, OnlyTheLastPieceMayEndWithoutLineFeed) {
    const std::string text = lines(12, 42) + "tail without break";
    const auto pieces = management_report_pieces(text);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].back(), '\n');
    EXPECT_EQ(pieces[1], "tail without break");
}

TEST(ManagementReportPieces, TextWithoutLineFeedIsOnePiece) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(41, 'x') + "\r";
    EXPECT_EQ(management_report_pieces(text), std::vector<std::string>{text});
}

TEST(ManagementReportPieces, LongLineIsNeverCut) {
    const std::string text = std::string(1200, 'x') + "\n" + "end\n";
    EXPECT_EQ(sizes(management_report_pieces(text)), (std::vector<std::size_t>{1201, 4}));
}

TEST(ManagementReportPieces, EmptyTextHasNoPieces) {
    EXPECT_TRUE(management_report_pieces("").empty());
}

}  // namespace
}  // namespace tov::reports
