#include "printer/status/status_facts.hpp"

#include <gtest/gtest.h>

namespace tovprint::status {
namespace {

constexpr std::uint8_t all_well = 0x12;

TEST(StatusFacts, AllWellIsNoFactAtAll) {
    EXPECT_EQ(decode_printer(all_well), PrinterFacts{});
    EXPECT_EQ(decode_off_line_cause(all_well), OffLineCauseFacts{});
    EXPECT_EQ(decode_error_cause(all_well), ErrorCauseFacts{});
    EXPECT_EQ(decode_roll_paper(all_well), PaperFacts{});
    EXPECT_EQ(decode_paper_sensor(0x00), PaperFacts{});
}

TEST(StatusFacts, EachBitIsItsOwnFact) {
    EXPECT_EQ(decode_printer(0x12 | 0x04), (PrinterFacts{true, false, false, false}));
    EXPECT_EQ(decode_printer(0x12 | 0x08), (PrinterFacts{false, true, false, false}));
    EXPECT_EQ(decode_printer(0x12 | 0x20), (PrinterFacts{false, false, true, false}));
    EXPECT_EQ(decode_printer(0x12 | 0x40), (PrinterFacts{false, false, false, true}));
    EXPECT_EQ(decode_off_line_cause(0x12 | 0x04), (OffLineCauseFacts{true, false, false, false}));
    EXPECT_EQ(decode_off_line_cause(0x12 | 0x08), (OffLineCauseFacts{false, true, false, false}));
    EXPECT_EQ(decode_off_line_cause(0x12 | 0x20), (OffLineCauseFacts{false, false, true, false}));
    EXPECT_EQ(decode_off_line_cause(0x12 | 0x40), (OffLineCauseFacts{false, false, false, true}));
    EXPECT_EQ(decode_error_cause(0x12 | 0x04), (ErrorCauseFacts{true, false, false, false}));
    EXPECT_EQ(decode_error_cause(0x12 | 0x08), (ErrorCauseFacts{false, true, false, false}));
    EXPECT_EQ(decode_error_cause(0x12 | 0x20), (ErrorCauseFacts{false, false, true, false}));
    EXPECT_EQ(decode_error_cause(0x12 | 0x40), (ErrorCauseFacts{false, false, false, true}));
}

TEST(StatusFacts, EitherSensorOfAPairTellsThePaper) {
    for (std::uint8_t near : {0x04, 0x08, 0x0C}) {
        EXPECT_EQ(decode_roll_paper(0x12 | near), (PaperFacts{true, false})) << int(near);
    }
    for (std::uint8_t end : {0x20, 0x40, 0x60}) {
        EXPECT_EQ(decode_roll_paper(0x12 | end), (PaperFacts{false, true})) << int(end);
    }
    EXPECT_EQ(decode_roll_paper(0x7E), (PaperFacts{true, true}));
    EXPECT_EQ(decode_paper_sensor(0x01), (PaperFacts{true, false}));
    EXPECT_EQ(decode_paper_sensor(0x03), (PaperFacts{true, false}));
    EXPECT_EQ(decode_paper_sensor(0x08), (PaperFacts{false, true}));
    EXPECT_EQ(decode_paper_sensor(0x0F), (PaperFacts{true, true}));
}

TEST(StatusFacts, AByteWithWrongFixedBitsIsNoStatusAnswer) {
    // Bit 0 or bit 7 set, bit 1 or bit 4 clear.
    for (std::uint8_t byte : {0x13, 0x92, 0x10, 0x02, 0x00, 0xFF, 0x37}) {
        EXPECT_FALSE(decode_printer(byte)) << int(byte);
        EXPECT_FALSE(decode_off_line_cause(byte)) << int(byte);
        EXPECT_FALSE(decode_error_cause(byte)) << int(byte);
        EXPECT_FALSE(decode_roll_paper(byte)) << int(byte);
    }
    for (std::uint8_t byte : {0x10, 0x80, 0x12, 0x9F}) {
        EXPECT_FALSE(decode_paper_sensor(byte)) << int(byte);
    }
}

TEST(PrinterStatus, KeepsOnlyStatusAnswersAndKnowsWhatIsMissing) {
    PrinterStatus status;
    EXPECT_FALSE(status.complete());
    EXPECT_FALSE(status.printer());
    EXPECT_FALSE(status.record(RealTimeRead::Printer, 0x13));
    EXPECT_FALSE(status.answer(RealTimeRead::Printer));
    EXPECT_TRUE(status.record(RealTimeRead::Printer, 0x1A));
    EXPECT_TRUE(status.record(RealTimeRead::OffLineCause, 0x16));
    EXPECT_TRUE(status.record(RealTimeRead::ErrorCause, 0x12));
    EXPECT_FALSE(status.complete());
    EXPECT_TRUE(status.record(RealTimeRead::RollPaperSensor, 0x72));
    EXPECT_TRUE(status.complete());
    EXPECT_TRUE(status.printer()->off_line);
    EXPECT_TRUE(status.off_line_cause()->cover_open);
    EXPECT_EQ(status.error_cause(), ErrorCauseFacts{});
    EXPECT_TRUE(status.roll_paper()->paper_end);
    EXPECT_EQ(status.answer(RealTimeRead::RollPaperSensor), 0x72);
}

}  // namespace
}  // namespace tovprint::status
