#pragma once
// Asks a printer about itself over a StatusConnection and waits, within time limits, for its
// answers; what it does not answer in time stays unknown. Bytes of other answers that arrive
// meanwhile (automatic status back, an earlier process ID) are kept, never taken for the answer
// being waited for.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "printer/status/status_answer.hpp"
#include "printer/status/status_answer_parser.hpp"
#include "printer/status/status_connection.hpp"
#include "printer/status/status_facts.hpp"

namespace tovprint::status {

// What the printer said about a job after its last byte was sent.
enum class Confirmation {
    Printed,       // it answered: everything before the request was processed
    NotConfirmed,  // no answer within the time limit (out of paper, cover open, or no support)
};

class StatusQuery {
public:
    StatusQuery(StatusConnection& connection, Clock::duration answer_limit);

    // DLE EOT 1 to 4, each awaited for the answer limit. Once one goes unanswered no other is
    // sent on this connection, now or in a later call: a late answer could not be told from the
    // answer to the next read.
    PrinterStatus read_status();

    // GS r 1, answered after the data sent before it has been processed.
    std::optional<PaperFacts> read_paper_sensor(Deadline deadline);

    // GS ( H with `id`, answered once everything sent before it is printed.
    Confirmation confirm_printed(const ProcessId& id, Deadline deadline);
    // Waits again for the answer to a GS ( H already sent, without sending another.
    Confirmation await_printed(const ProcessId& id, Deadline deadline);
    // GS r 1 as the confirmation of printers without GS ( H: printed when it is answered and
    // the paper did not end.
    Confirmation confirm_by_paper_sensor(Deadline deadline);

    // Answers that came while another one was awaited, in their order.
    const std::vector<StatusAnswer>& other_answers() const { return other_answers_; }

private:
    using Match = std::function<bool(const StatusAnswer&)>;
    // The first answer, kept or new, that `match` accepts; none once the deadline has passed.
    std::optional<StatusAnswer> await_answer(const Match& match, Deadline deadline);
    std::optional<StatusAnswer> take_kept(const Match& match);

    StatusConnection& connection_;
    Clock::duration answer_limit_;
    StatusAnswerParser parser_;
    std::vector<StatusAnswer> other_answers_;
    bool real_time_read_unanswered_ = false;
};

}  // namespace tovprint::status
