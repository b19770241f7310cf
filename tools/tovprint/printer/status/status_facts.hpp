#pragma once
// What the printer's one-byte status answers say, decoded into named facts. A byte whose fixed
// bits are wrong is not a status answer, and decodes to nothing.

#include <array>
#include <cstdint>
#include <optional>

#include "printer/status/status_requests.hpp"

namespace tovprint::status {

// DLE EOT 1.
struct PrinterFacts {
    bool drawer_pin_3_high = false;
    bool off_line = false;
    bool waiting_for_recovery = false;
    bool feed_button_pressed = false;
    friend bool operator==(const PrinterFacts&, const PrinterFacts&) = default;
};

// DLE EOT 2.
struct OffLineCauseFacts {
    bool cover_open = false;
    bool paper_fed_by_button = false;
    bool stopped_by_paper_end = false;
    bool error = false;
    friend bool operator==(const OffLineCauseFacts&, const OffLineCauseFacts&) = default;
};

// DLE EOT 3. A recoverable error is the mechanical error of the models that define it; the
// cutter error is recovered with DLE ENQ once its cause is removed.
struct ErrorCauseFacts {
    bool recoverable_error = false;
    bool cutter_error = false;
    bool unrecoverable_error = false;
    bool auto_recoverable_error = false;
    friend bool operator==(const ErrorCauseFacts&, const ErrorCauseFacts&) = default;
};

// DLE EOT 4 and GS r 1.
struct PaperFacts {
    bool near_end = false;
    bool paper_end = false;
    friend bool operator==(const PaperFacts&, const PaperFacts&) = default;
};

bool is_real_time_answer(std::uint8_t byte);
bool is_paper_sensor_answer(std::uint8_t byte);

std::optional<PrinterFacts> decode_printer(std::uint8_t byte);
std::optional<OffLineCauseFacts> decode_off_line_cause(std::uint8_t byte);
std::optional<ErrorCauseFacts> decode_error_cause(std::uint8_t byte);
std::optional<PaperFacts> decode_roll_paper(std::uint8_t byte);
std::optional<PaperFacts> decode_paper_sensor(std::uint8_t byte);

// The answers to the four real-time reads, each unknown until it is recorded.
class PrinterStatus {
public:
    // Keeps the answer to `read`; false (and nothing kept) when the byte is not a status answer.
    bool record(RealTimeRead read, std::uint8_t byte);

    std::optional<std::uint8_t> answer(RealTimeRead read) const;
    bool complete() const;

    std::optional<PrinterFacts> printer() const;
    std::optional<OffLineCauseFacts> off_line_cause() const;
    std::optional<ErrorCauseFacts> error_cause() const;
    std::optional<PaperFacts> roll_paper() const;

private:
    std::array<std::optional<std::uint8_t>, std::size(all_real_time_reads)> answers_;
};

}  // namespace tovprint::status
