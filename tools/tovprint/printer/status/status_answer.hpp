#pragma once
// One answer picked out of the bytes a printer sends back.

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "printer/status/process_id.hpp"

namespace tovprint::status {

// The one byte of a DLE EOT n; which n it answers is known only from the order of the requests.
struct RealTimeAnswer {
    std::uint8_t byte;
};

// The one byte of GS r 1 (bits 4 and 7 at 0).
struct PaperSensorAnswer {
    std::uint8_t byte;
};

// The four bytes the printer sends by itself when automatic status back is on.
struct AutomaticStatusAnswer {
    std::array<std::uint8_t, 4> bytes;
};

// 37 22 d1 d2 d3 d4 00: everything before the request with this ID has been processed.
struct ProcessIdAnswer {
    ProcessId id;
};

// Other block data (header 37 or 5F, up to its NUL): answers to requests this program does not
// send, kept whole so they are not mistaken for status bytes.
struct BlockAnswer {
    std::string bytes;
};

// XON or XOFF of a serial printer.
struct FlowControlByte {
    std::uint8_t byte;
};

// A byte that is none of the above.
struct UnrecognisedByte {
    std::uint8_t byte;
};

using StatusAnswer = std::variant<RealTimeAnswer, PaperSensorAnswer, AutomaticStatusAnswer,
                                  ProcessIdAnswer, BlockAnswer, FlowControlByte, UnrecognisedByte>;

}  // namespace tovprint::status
