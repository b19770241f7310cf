#include "handoff/raw_file_sink.hpp"

namespace tovprint {

RawFileSink::RawFileSink(const std::filesystem::path& path, std::ostream& log)
    : file_(path), log_(log) {}

void RawFileSink::receive(const HandOff& hand_off) {
    log_ << hand_off.entry_point;
    if (hand_off.text) {
        file_.write(*hand_off.text);
        log_ << ": " << hand_off.text->size() << " bytes to " << file_.target().string();
    }
    log_ << '\n';
}

void RawFileSink::finish() {
    file_.commit();
}

}  // namespace tovprint
