#include "printer/status/status_verdict.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "printer/status/status_json.hpp"

namespace tovprint::status {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

PrinterStatus answered(std::uint8_t printer, std::uint8_t cause, std::uint8_t error,
                       std::uint8_t paper) {
    PrinterStatus status;
    status.record(RealTimeRead::Printer, printer);
    status.record(RealTimeRead::OffLineCause, cause);
    status.record(RealTimeRead::ErrorCause, error);
    status.record(RealTimeRead::RollPaperSensor, paper);
    return status;
}

TEST(StatusVerdict, APrinterThatSaysAllIsWellCanPrint) {
    const auto verdict = judge(answered(0x12, 0x12, 0x12, 0x12));
    EXPECT_EQ(verdict.verdict, Verdict::CanPrint);
    EXPECT_THAT(verdict.reasons, IsEmpty());
    EXPECT_THAT(verdict.warnings, IsEmpty());
}

TEST(StatusVerdict, PaperNearItsEndIsAWarningOnly) {
    const auto verdict = judge(answered(0x12, 0x12, 0x12, 0x1E));
    EXPECT_EQ(verdict.verdict, Verdict::CanPrint);
    EXPECT_THAT(verdict.warnings, ElementsAre("paper near its end"));
}

TEST(StatusVerdict, NamesWhatStopsThePrinter) {
    EXPECT_THAT(judge(answered(0x1A, 0x16, 0x12, 0x12)).reasons, ElementsAre("cover open"));
    EXPECT_THAT(judge(answered(0x1A, 0x32, 0x12, 0x72)).reasons,
                ElementsAre("stopped at the end of the paper", "out of paper"));
    EXPECT_THAT(judge(answered(0x3A, 0x52, 0x1A, 0x12)).reasons,
                ElementsAre("cutter error", "waiting for recovery"));
    EXPECT_THAT(judge(answered(0x1A, 0x52, 0x32, 0x12)).reasons,
                ElementsAre("unrecoverable error"));
    EXPECT_THAT(judge(answered(0x1A, 0x52, 0x12, 0x12)).reasons, ElementsAre("error"));
    EXPECT_THAT(judge(answered(0x1A, 0x12, 0x12, 0x12)).reasons, ElementsAre("off line"));
    EXPECT_EQ(judge(answered(0x1A, 0x12, 0x12, 0x12)).verdict, Verdict::CannotPrint);
}

TEST(StatusVerdict, MissingAnswersMakeTheStatusUnknownUnlessOneKnownStopsIt) {
    PrinterStatus status;
    EXPECT_EQ(judge(status).verdict, Verdict::Unknown);
    status.record(RealTimeRead::Printer, 0x12);
    status.record(RealTimeRead::OffLineCause, 0x12);
    const auto unknown = judge(status);
    EXPECT_EQ(unknown.verdict, Verdict::Unknown);
    EXPECT_THAT(unknown.reasons, ElementsAre("no answer to the error cause status read",
                                             "no answer to the roll paper sensor status read"));
    PrinterStatus off_line;
    off_line.record(RealTimeRead::Printer, 0x1A);
    EXPECT_EQ(judge(off_line).verdict, Verdict::CannotPrint);
}

TEST(StatusJson, NamesEveryFactAndLeavesUnansweredReadsNull) {
    const auto status = answered(0x1A, 0x16, 0x12, 0x1E);
    const auto json = status_json(status, judge(status));
    EXPECT_EQ(json.dump(),
              R"({"answers":{"error cause":"0x12","off-line cause":"0x16","printer":"0x1A",)"
              R"("roll paper sensor":"0x1E"},"error_cause":{"auto_recoverable_error":false,)"
              R"("cutter_error":false,"recoverable_error":false,"unrecoverable_error":false},)"
              R"("off_line_cause":{"cover_open":true,"error":false,"paper_fed_by_button":false,)"
              R"("stopped_by_paper_end":false},"printer":{"drawer_pin_3_high":false,)"
              R"("feed_button_pressed":false,"off_line":true,"waiting_for_recovery":false},)"
              R"("reasons":["cover open"],"roll_paper":{"near_end":true,"paper_end":false},)"
              R"("verdict":"cannot print","warnings":["paper near its end"]})");
    PrinterStatus none;
    const auto unknown = status_json(none, judge(none));
    EXPECT_EQ(unknown["verdict"], "status unknown");
    EXPECT_TRUE(unknown["printer"].is_null());
    EXPECT_TRUE(unknown["roll_paper"].is_null());
    EXPECT_TRUE(unknown["answers"]["printer"].is_null());
}

}  // namespace
}  // namespace tovprint::status
