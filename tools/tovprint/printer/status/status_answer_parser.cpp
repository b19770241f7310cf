#include "printer/status/status_answer_parser.hpp"

#include "printer/status/escpos_status_bytes.hpp"
#include "printer/status/status_bits.hpp"
#include "printer/status/status_facts.hpp"

namespace tovprint::status {
namespace {

constexpr std::size_t process_id_answer_size = 2 + process_id_size + 1;
constexpr std::size_t needs_more = 0;

std::uint8_t byte_at(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]);
}

// The process ID answer at the start of bytes (which has its whole size), if it is one.
std::optional<ProcessId> process_id_answer(std::string_view bytes) {
    if (byte_at(bytes, process_id_answer_size - 1) != end_of_answer) return std::nullopt;
    const auto id = bytes.substr(2, process_id_size);
    for (char byte : id) {
        if (!is_process_id_byte(static_cast<unsigned char>(byte))) return std::nullopt;
    }
    return ProcessId::from_bytes(id);
}

}  // namespace

std::vector<StatusAnswer> StatusAnswerParser::feed(std::string_view bytes) {
    buffer_.append(bytes);
    std::vector<StatusAnswer> answers;
    std::size_t taken = 0;
    while (!buffer_.empty()) {
        taken = read_one(answers);
        if (taken == needs_more) break;
        buffer_.erase(0, taken);
    }
    return answers;
}

std::size_t StatusAnswerParser::read_one(std::vector<StatusAnswer>& answers) const {
    const std::uint8_t first = byte_at(buffer_, 0);
    if (first == block_answer_header || first == text_block_header) return read_block(answers);
    if (first == transmit_on || first == transmit_off) {
        answers.emplace_back(FlowControlByte{first});
    } else if (is_real_time_answer(first)) {
        answers.emplace_back(RealTimeAnswer{first});
    } else if (automatic_status_first_fixed_bits.hold_in(first)) {
        return read_automatic_status(answers);
    } else if (is_paper_sensor_answer(first)) {
        answers.emplace_back(PaperSensorAnswer{first});
    } else {
        answers.emplace_back(UnrecognisedByte{first});
    }
    return 1;
}

std::size_t StatusAnswerParser::read_block(std::vector<StatusAnswer>& answers) const {
    const std::uint8_t first = byte_at(buffer_, 0);
    if (first == block_answer_header) {
        if (buffer_.size() < 2) return needs_more;
        if (byte_at(buffer_, 1) == process_id_identifier) {
            if (buffer_.size() < process_id_answer_size) return needs_more;
            if (const auto id = process_id_answer(buffer_)) {
                answers.emplace_back(ProcessIdAnswer{*id});
                return process_id_answer_size;
            }
            answers.emplace_back(UnrecognisedByte{first});
            return 1;
        }
    }
    const auto end = buffer_.find(static_cast<char>(end_of_answer), 1);
    if (end == std::string::npos || end >= longest_block) {
        if (buffer_.size() < longest_block) return needs_more;
        answers.emplace_back(UnrecognisedByte{first});
        return 1;
    }
    answers.emplace_back(BlockAnswer{buffer_.substr(0, end + 1)});
    return end + 1;
}

std::size_t StatusAnswerParser::read_automatic_status(std::vector<StatusAnswer>& answers) const {
    for (std::size_t at = 1; at < automatic_status_size; ++at) {
        if (at >= buffer_.size()) return needs_more;
        if (!automatic_status_other_fixed_bits.hold_in(byte_at(buffer_, at))) {
            // Not a group of four: the first byte alone is no answer this program knows.
            answers.emplace_back(UnrecognisedByte{byte_at(buffer_, 0)});
            return 1;
        }
    }
    AutomaticStatusAnswer group{};
    for (std::size_t at = 0; at < automatic_status_size; ++at)
        group.bytes[at] = byte_at(buffer_, at);
    answers.emplace_back(group);
    return automatic_status_size;
}

}  // namespace tovprint::status
