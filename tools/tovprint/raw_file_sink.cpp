#include "raw_file_sink.hpp"

#include "platform/errors/errors.hpp"

namespace tovprint {

RawFileSink::RawFileSink(const std::filesystem::path& path, std::ostream& log)
    : path_(path), file_(path, std::ios::binary | std::ios::trunc), log_(log) {
    if (!file_) throw tov::FileError("cannot write '" + path.string() + "'");
}

void RawFileSink::receive(const HandOff& hand_off) {
    log_ << hand_off.entry_point;
    if (hand_off.text) {
        file_.write(hand_off.text->data(), static_cast<std::streamsize>(hand_off.text->size()));
        file_.flush();
        if (!file_) throw tov::FileError("cannot write '" + path_.string() + "'");
        log_ << ": " << hand_off.text->size() << " bytes to " << path_.string();
    }
    log_ << '\n';
}

}  // namespace tovprint
