#pragma once
// Hands every hand-off to several sinks in turn (--out, --printer and --preview together).

#include <memory>
#include <vector>

#include "handoff/hand_off.hpp"

namespace tovprint {

class FanOutSink final : public HandOffSink {
public:
    explicit FanOutSink(std::vector<std::unique_ptr<HandOffSink>> sinks)
        : sinks_(std::move(sinks)) {}
    void receive(const HandOff& hand_off) override {
        for (const auto& sink : sinks_) sink->receive(hand_off);
    }
    void finish() override {
        for (const auto& sink : sinks_) sink->finish();
    }

private:
    std::vector<std::unique_ptr<HandOffSink>> sinks_;
};

}  // namespace tovprint
