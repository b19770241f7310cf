#pragma once
// The states of a print job:
//   queued       accepted and kept; waits for its printer
//   sending      its papers are being written to the printer
//   printed      the printer confirmed every paper
//   sent         written whole to a printer that cannot confirm
//   unconfirmed  track was lost while or after sending (a failure, a restart): the paper may or
//                may not have come out, and it is never sent again by itself
//   cancelled    cancelled while queued

#include <optional>
#include <string_view>

namespace tovprintd {

enum class JobState { Queued, Sending, Printed, Sent, Unconfirmed, Cancelled };

inline std::string_view state_name(JobState state) {
    switch (state) {
        case JobState::Queued:
            return "queued";
        case JobState::Sending:
            return "sending";
        case JobState::Printed:
            return "printed";
        case JobState::Sent:
            return "sent";
        case JobState::Unconfirmed:
            return "unconfirmed";
        case JobState::Cancelled:
            return "cancelled";
    }
    return "unconfirmed";
}

inline std::optional<JobState> state_named(std::string_view name) {
    for (const JobState state : {JobState::Queued, JobState::Sending, JobState::Printed,
                                 JobState::Sent, JobState::Unconfirmed, JobState::Cancelled}) {
        if (state_name(state) == name) return state;
    }
    return std::nullopt;
}

}  // namespace tovprintd
