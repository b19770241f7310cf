#pragma once
// Collects the papers of one document as the package hands them off: each paper's text
// (Windows-1252, exact), split where tovprint's printer back-end cuts (paper_end.hpp).

#include <string>
#include <vector>

#include "handoff/hand_off.hpp"

namespace tovprintd {

class PaperCollector final : public tovprint::HandOffSink {
public:
    void receive(const tovprint::HandOff& hand_off) override;
    void finish() override;

    // The papers collected since the last call, the open one closed; the collector starts over.
    std::vector<std::string> take();

private:
    std::vector<std::string> papers_;
    std::string open_;
    bool paper_open_ = false;
};

}  // namespace tovprintd
