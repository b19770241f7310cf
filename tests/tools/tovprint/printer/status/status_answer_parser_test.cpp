#include "printer/status/status_answer_parser.hpp"

#include <gtest/gtest.h>

#include "scripted_connection.hpp"

namespace tovprint::status {
namespace {

using test::bytes;

// The answers as short text, so a whole stream compares in one line.
std::string describe(const std::vector<StatusAnswer>& answers) {
    std::string text;
    char hex[8];
    for (const StatusAnswer& answer : answers) {
        if (const auto* real_time = std::get_if<RealTimeAnswer>(&answer)) {
            std::snprintf(hex, sizeof hex, "%02X", real_time->byte);
            text += std::string("status:") + hex + " ";
        } else if (const auto* sensor = std::get_if<PaperSensorAnswer>(&answer)) {
            std::snprintf(hex, sizeof hex, "%02X", sensor->byte);
            text += std::string("sensor:") + hex + " ";
        } else if (const auto* group = std::get_if<AutomaticStatusAnswer>(&answer)) {
            text += "automatic:";
            for (std::uint8_t byte : group->bytes) {
                std::snprintf(hex, sizeof hex, "%02X", byte);
                text += hex;
            }
            text += " ";
        } else if (const auto* process = std::get_if<ProcessIdAnswer>(&answer)) {
            text += "id:" + process->id.bytes() + " ";
        } else if (const auto* block = std::get_if<BlockAnswer>(&answer)) {
            text += "block:" + std::to_string(block->bytes.size()) + " ";
        } else if (const auto* flow = std::get_if<FlowControlByte>(&answer)) {
            std::snprintf(hex, sizeof hex, "%02X", flow->byte);
            text += std::string("flow:") + hex + " ";
        } else {
            std::snprintf(hex, sizeof hex, "%02X", std::get<UnrecognisedByte>(answer).byte);
            text += std::string("other:") + hex + " ";
        }
    }
    return text;
}

const std::string mixed_stream =
    bytes({0x12, 0x1A}) +                            // two real-time answers
    bytes({0x10, 0x00, 0x0C, 0x00}) +                // automatic status back
    bytes({0x37, 0x22, 'A', '0', '0', '1', 0x00}) +  // process ID response
    bytes({0x0C}) +                                  // GS r 1: paper end
    bytes({0x5F, 'T', 'M', 0x00}) +                  // other block data
    bytes({0x13, 0x11}) +                            // XOFF, XON
    bytes({0x81});                                   // stray

TEST(StatusAnswerParser, PicksEachAnswerOutOfAMixedStream) {
    StatusAnswerParser parser;
    EXPECT_EQ(describe(parser.feed(mixed_stream)),
              "status:12 status:1A automatic:10000C00 id:A001 sensor:0C block:4 flow:13 flow:11 "
              "other:81 ");
    EXPECT_EQ(parser.pending(), 0u);
}

TEST(StatusAnswerParser, GivesTheSameAnswersWhateverPiecesTheBytesArriveIn) {
    for (std::size_t piece = 1; piece <= 5; ++piece) {
        StatusAnswerParser parser;
        std::vector<StatusAnswer> answers;
        for (std::size_t at = 0; at < mixed_stream.size(); at += piece) {
            for (auto& answer : parser.feed(mixed_stream.substr(at, piece))) {
                answers.push_back(answer);
            }
        }
        EXPECT_EQ(describe(answers), describe(StatusAnswerParser().feed(mixed_stream))) << piece;
    }
}

TEST(StatusAnswerParser, WaitsForTheRestOfAnAnswer) {
    StatusAnswerParser parser;
    EXPECT_TRUE(parser.feed(bytes({0x37, 0x22, 'A'})).empty());
    EXPECT_EQ(parser.pending(), 3u);
    EXPECT_EQ(describe(parser.feed(bytes({'B', 'C', 'D', 0x00, 0x12}))), "id:ABCD status:12 ");
    EXPECT_EQ(parser.pending(), 0u);
}

bool has_process_id(const std::vector<StatusAnswer>& answers) {
    for (const auto& answer : answers) {
        if (std::holds_alternative<ProcessIdAnswer>(answer)) return true;
    }
    return false;
}

TEST(StatusAnswerParser, AMalformedAnswerIsNotTakenForOne) {
    // A process ID answer without its NUL, one with a byte outside '0'..'~': the header is no
    // answer, and what follows is read again.
    for (const std::string& stream : {bytes({0x37, 0x22, 'A', 'B', 'C', 'D', 0x01}),
                                      bytes({0x37, 0x22, 'A', 0x12, 'C', 'D', 0x00})}) {
        StatusAnswerParser parser;
        const auto answers = parser.feed(stream);
        EXPECT_FALSE(has_process_id(answers));
        EXPECT_EQ(describe({answers.front()}), "other:37 ");
    }
    StatusAnswerParser parser;
    EXPECT_EQ(describe(parser.feed(bytes({0x37, 0x22, 'A', 0x12, 'C', 'D', 0x00}))),
              "other:37 sensor:22 sensor:41 status:12 sensor:43 sensor:44 sensor:00 ");
    // Automatic status whose second byte has bit 4 set is not a group of four.
    EXPECT_EQ(describe(parser.feed(bytes({0x10, 0x12, 0x00, 0x00, 0x00}))),
              "other:10 status:12 sensor:00 sensor:00 sensor:00 ");
}

TEST(StatusAnswerParser, BlockDataWithoutItsEndIsGivenUpAfterItsLongestSize) {
    StatusAnswerParser parser;
    const std::string header = bytes({0x5F});
    EXPECT_TRUE(parser.feed(header + std::string(10, '\xFF')).empty());
    const auto answers = parser.feed(std::string(StatusAnswerParser::longest_block, '\xFF'));
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(describe({answers.front()}), "other:5F ");
    EXPECT_EQ(parser.pending(), 0u);
}

}  // namespace
}  // namespace tovprint::status
