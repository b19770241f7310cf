#pragma once
// A print job as the journal keeps it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/job_state.hpp"

namespace tovprintd {

// One paper of a job: the package's text (Windows-1252) and the bytes its printer receives for
// it (the text in the printer's code page, then the profile's cut).
struct Paper {
    std::string text;
    std::string bytes;
};

struct JobRecord {
    std::int64_t id = 0;
    std::string caller;
    std::string printer;
    std::string document;
    std::string language;  // "pt" or "es": the language the document is written in
    JobState state = JobState::Queued;
    int papers = 0;
    int attempts = 0;
    std::optional<std::string> error;
    std::string created;  // UTC, ISO 8601
    std::int64_t created_ms = 0;
    std::optional<std::string> finished;
    std::optional<std::int64_t> reprint_of;
    std::optional<std::string> moved_from;
};

struct NewJob {
    std::string caller;
    std::string idempotency_key;  // empty for a reprint, which has none
    std::string body_sha256;      // hex
    std::string printer;
    std::string document;
    std::string language;
    std::vector<Paper> papers;
    std::optional<std::int64_t> reprint_of;
};

}  // namespace tovprintd
