#pragma once
// Prints every hand-off on a terminal: a header line with the entry point and its arguments,
// then the text buffer in the notation of visible_text.hpp, one printed line per line feed.

#include <ostream>

#include "handoff/hand_off.hpp"

namespace tovprint {

class ConsoleSink final : public HandOffSink {
public:
    explicit ConsoleSink(std::ostream& out) : out_(out) {}
    void receive(const HandOff& hand_off) override;

private:
    std::ostream& out_;
};

}  // namespace tovprint
