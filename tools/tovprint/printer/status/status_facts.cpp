#include "printer/status/status_facts.hpp"

#include "printer/status/status_bits.hpp"

namespace tovprint::status {
namespace {

bool holds(std::uint8_t byte, std::uint8_t bits) {
    return (byte & bits) != 0;
}

std::size_t slot_of(RealTimeRead read) {
    return static_cast<std::size_t>(read) - 1;
}

}  // namespace

bool is_real_time_answer(std::uint8_t byte) {
    return real_time_fixed_bits.hold_in(byte);
}

bool is_paper_sensor_answer(std::uint8_t byte) {
    return paper_sensor_fixed_bits.hold_in(byte);
}

std::optional<PrinterFacts> decode_printer(std::uint8_t byte) {
    if (!is_real_time_answer(byte)) return std::nullopt;
    return PrinterFacts{holds(byte, drawer_pin_3_high_bit), holds(byte, off_line_bit),
                        holds(byte, waiting_for_recovery_bit),
                        holds(byte, feed_button_pressed_bit)};
}

std::optional<OffLineCauseFacts> decode_off_line_cause(std::uint8_t byte) {
    if (!is_real_time_answer(byte)) return std::nullopt;
    return OffLineCauseFacts{holds(byte, cover_open_bit), holds(byte, paper_fed_by_button_bit),
                             holds(byte, stopped_by_paper_end_bit), holds(byte, error_bit)};
}

std::optional<ErrorCauseFacts> decode_error_cause(std::uint8_t byte) {
    if (!is_real_time_answer(byte)) return std::nullopt;
    return ErrorCauseFacts{holds(byte, mechanical_error_bit), holds(byte, cutter_error_bit),
                           holds(byte, unrecoverable_error_bit),
                           holds(byte, auto_recoverable_error_bit)};
}

std::optional<PaperFacts> decode_roll_paper(std::uint8_t byte) {
    if (!is_real_time_answer(byte)) return std::nullopt;
    return PaperFacts{holds(byte, roll_near_end_bits), holds(byte, roll_end_bits)};
}

std::optional<PaperFacts> decode_paper_sensor(std::uint8_t byte) {
    if (!is_paper_sensor_answer(byte)) return std::nullopt;
    return PaperFacts{holds(byte, sensor_near_end_bits), holds(byte, sensor_end_bits)};
}

bool PrinterStatus::record(RealTimeRead read, std::uint8_t byte) {
    if (!is_real_time_answer(byte)) return false;
    answers_.at(slot_of(read)) = byte;
    return true;
}

std::optional<std::uint8_t> PrinterStatus::answer(RealTimeRead read) const {
    return answers_.at(slot_of(read));
}

bool PrinterStatus::complete() const {
    for (const auto& answer : answers_) {
        if (!answer) return false;
    }
    return true;
}

std::optional<PrinterFacts> PrinterStatus::printer() const {
    const auto byte = answer(RealTimeRead::Printer);
    return byte ? decode_printer(*byte) : std::nullopt;
}

std::optional<OffLineCauseFacts> PrinterStatus::off_line_cause() const {
    const auto byte = answer(RealTimeRead::OffLineCause);
    return byte ? decode_off_line_cause(*byte) : std::nullopt;
}

std::optional<ErrorCauseFacts> PrinterStatus::error_cause() const {
    const auto byte = answer(RealTimeRead::ErrorCause);
    return byte ? decode_error_cause(*byte) : std::nullopt;
}

std::optional<PaperFacts> PrinterStatus::roll_paper() const {
    const auto byte = answer(RealTimeRead::RollPaperSensor);
    return byte ? decode_roll_paper(*byte) : std::nullopt;
}

}  // namespace tovprint::status
