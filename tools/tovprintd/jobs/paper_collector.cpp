#include "jobs/paper_collector.hpp"

#include "handoff/paper_end.hpp"

namespace tovprintd {

void PaperCollector::receive(const tovprint::HandOff& hand_off) {
    if (hand_off.text) {
        open_ += *hand_off.text;
        paper_open_ = true;
    }
    if (tovprint::ends_paper(hand_off) && paper_open_) finish();
}

void PaperCollector::finish() {
    if (!paper_open_) return;
    papers_.push_back(std::move(open_));
    open_.clear();
    paper_open_ = false;
}

std::vector<std::string> PaperCollector::take() {
    finish();
    std::vector<std::string> papers = std::move(papers_);
    papers_.clear();
    return papers;
}

}  // namespace tovprintd
