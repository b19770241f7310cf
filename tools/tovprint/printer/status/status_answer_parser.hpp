#pragma once
// Picks the answers out of the bytes a printer sends back, in the pieces they arrive in: an
// answer split between two reads waits in the parser for its end.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "printer/status/status_answer.hpp"

namespace tovprint::status {

class StatusAnswerParser {
public:
    // Block data longer than this without its NUL is not block data: its header byte is then
    // unrecognised and the bytes after it are read again.
    static constexpr std::size_t longest_block = 80;

    std::vector<StatusAnswer> feed(std::string_view bytes);
    // The bytes of an answer not complete yet.
    std::size_t pending() const { return buffer_.size(); }

private:
    // Reads one answer at the start of buffer_ into `answers`; returns how many bytes it took, or
    // 0 when the answer there needs more bytes.
    std::size_t read_one(std::vector<StatusAnswer>& answers) const;
    std::size_t read_block(std::vector<StatusAnswer>& answers) const;
    std::size_t read_automatic_status(std::vector<StatusAnswer>& answers) const;

    std::string buffer_;
};

}  // namespace tovprint::status
