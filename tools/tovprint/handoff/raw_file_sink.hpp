#pragma once
// Writes the exact bytes of every hand-off's text buffer to one file, in the order of the calls,
// plainly concatenated: nothing is added before, between or after them. The pieces a fiscal
// report sends one by one therefore add up to the report's whole text. Entry points that carry
// no text (opening or closing a management report, the coupon number, the line width) write
// nothing. Each hand-off is also noted in one line on the log stream.
//
// The bytes go to a temporary file that replaces the named one only when the run completes
// (finish()); a run that fails leaves the named file as it was.

#include <filesystem>
#include <ostream>

#include "handoff/hand_off.hpp"
#include "os/file_replacement.hpp"

namespace tovprint {

class RawFileSink final : public HandOffSink {
public:
    // Throws tov::FileError when the file cannot be written.
    RawFileSink(const std::filesystem::path& path, std::ostream& log);
    void receive(const HandOff& hand_off) override;
    void finish() override;

private:
    FileReplacement file_;
    std::ostream& log_;
};

}  // namespace tovprint
