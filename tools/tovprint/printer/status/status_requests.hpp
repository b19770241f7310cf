#pragma once
// The requests a printer answers about itself, as the bytes to send.

#include <cstdint>
#include <string>
#include <string_view>

#include "printer/status/process_id.hpp"

namespace tovprint::status {

// The four real-time status reads, DLE EOT n; the printer answers each at once with one byte.
enum class RealTimeRead : std::uint8_t {
    Printer = 1,
    OffLineCause = 2,
    ErrorCause = 3,
    RollPaperSensor = 4,
};

inline constexpr RealTimeRead all_real_time_reads[] = {
    RealTimeRead::Printer, RealTimeRead::OffLineCause, RealTimeRead::ErrorCause,
    RealTimeRead::RollPaperSensor};

std::string_view real_time_read_name(RealTimeRead read);

// DLE EOT n.
std::string real_time_status_request(RealTimeRead read);
// GS r 1, answered once the data before it has been processed.
std::string paper_sensor_request();
// GS ( H with fn 48: answered with the same process ID once everything before it is printed.
std::string process_id_request(const ProcessId& id);

}  // namespace tovprint::status
