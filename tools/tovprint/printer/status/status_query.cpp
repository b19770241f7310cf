#include "printer/status/status_query.hpp"

#include <algorithm>

#include "printer/status/status_requests.hpp"

namespace tovprint::status {
namespace {

template <typename Answer>
bool is(const StatusAnswer& answer) {
    return std::holds_alternative<Answer>(answer);
}

}  // namespace

StatusQuery::StatusQuery(StatusConnection& connection, Clock::duration answer_limit)
    : connection_(connection), answer_limit_(answer_limit) {}

PrinterStatus StatusQuery::read_status() {
    PrinterStatus status;
    if (real_time_read_unanswered_) return status;
    for (RealTimeRead read : all_real_time_reads) {
        const Deadline deadline = Clock::now() + answer_limit_;
        connection_.write(real_time_status_request(read), deadline);
        const auto answer = await_answer(is<RealTimeAnswer>, deadline);
        if (!answer) {
            real_time_read_unanswered_ = true;
            break;
        }
        status.record(read, std::get<RealTimeAnswer>(*answer).byte);
    }
    return status;
}

std::optional<PaperFacts> StatusQuery::read_paper_sensor(Deadline deadline) {
    connection_.write(paper_sensor_request(), deadline);
    const auto answer = await_answer(is<PaperSensorAnswer>, deadline);
    if (!answer) return std::nullopt;
    return decode_paper_sensor(std::get<PaperSensorAnswer>(*answer).byte);
}

Confirmation StatusQuery::confirm_printed(const ProcessId& id, Deadline deadline) {
    connection_.write(process_id_request(id), deadline);
    return await_printed(id, deadline);
}

Confirmation StatusQuery::await_printed(const ProcessId& id, Deadline deadline) {
    const auto same_id = [&id](const StatusAnswer& answer) {
        const auto* process = std::get_if<ProcessIdAnswer>(&answer);
        return process != nullptr && process->id == id;
    };
    return await_answer(same_id, deadline) ? Confirmation::Printed : Confirmation::NotConfirmed;
}

Confirmation StatusQuery::confirm_by_paper_sensor(Deadline deadline) {
    const auto paper = read_paper_sensor(deadline);
    return paper && !paper->paper_end ? Confirmation::Printed : Confirmation::NotConfirmed;
}

std::optional<StatusAnswer> StatusQuery::take_kept(const Match& match) {
    const auto found = std::find_if(other_answers_.begin(), other_answers_.end(), match);
    if (found == other_answers_.end()) return std::nullopt;
    StatusAnswer answer = *found;
    other_answers_.erase(found);
    return answer;
}

std::optional<StatusAnswer> StatusQuery::await_answer(const Match& match, Deadline deadline) {
    if (auto kept = take_kept(match)) return kept;
    while (true) {
        const std::string bytes = connection_.read_some(deadline);
        if (bytes.empty()) return std::nullopt;
        std::optional<StatusAnswer> found;
        for (StatusAnswer& answer : parser_.feed(bytes)) {
            if (!found && match(answer)) {
                found = std::move(answer);
            } else {
                other_answers_.push_back(std::move(answer));
            }
        }
        if (found) return found;
    }
}

}  // namespace tovprint::status
