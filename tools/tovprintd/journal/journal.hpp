#pragma once
// The journal: every accepted job with its papers, in one SQLite file written with
// synchronous=FULL, so that each change is on disk before the call that made it returns. Every
// change of a job's state is a conditional update (queued -> sending only while queued, and so
// on), so that a cancellation and the printer's writer never both win. Safe to use from several
// threads.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "journal/job_record.hpp"
#include "journal/sqlite_database.hpp"

namespace tovprintd {

struct JobFilter {
    std::optional<JobState> state;
    std::optional<std::string> printer;
    std::optional<std::string> caller;  // only this caller's jobs
    int limit = 1000;
    std::optional<std::int64_t> before;  // only jobs of lower ids (the next page)
};

// A job found by its caller's idempotency key.
struct KeyedJob {
    std::int64_t id = 0;
    std::string body_sha256;
};

struct QueueSummary {
    std::int64_t queued = 0;
    std::optional<std::int64_t> oldest_created_ms;
};

class Journal {
public:
    // Opens or creates the file.
    explicit Journal(const std::filesystem::path& file);

    // A job whose state was `sending` when the service stopped cannot be known to be on paper:
    // each becomes unconfirmed. Answers their ids.
    std::vector<std::int64_t> settle_interrupted_jobs();

    // Keeps a new job and its papers in one transaction. When the caller already has a job of
    // the same idempotency key, nothing is written and that job is answered instead.
    struct Acceptance {
        std::int64_t id = 0;
        bool created = false;
        std::string body_sha256;  // of the job answered
    };
    Acceptance accept(const NewJob& job);

    std::optional<KeyedJob> find_by_key(const std::string& caller, const std::string& key);
    std::optional<JobRecord> find(std::int64_t id);
    std::vector<JobRecord> list(const JobFilter& filter);
    std::vector<Paper> papers(std::int64_t id);

    // The printer's queued job accepted first.
    std::optional<JobRecord> next_queued(const std::string& printer);
    std::vector<JobRecord> queued(const std::string& printer);
    QueueSummary queue_summary(const std::string& printer);

    // queued -> sending, one attempt more; false when the job is no longer queued.
    bool start_sending(std::int64_t id);
    // sending -> printed, sent or unconfirmed.
    void finish_sending(std::int64_t id, JobState state, const std::optional<std::string>& error);
    // A queued job that could not be started (the printer did not answer) stays queued with
    // the reason and one attempt more.
    void note_failed_attempt(std::int64_t id, const std::string& error);
    // queued -> cancelled; false when it is no longer queued.
    bool cancel(std::int64_t id);
    // A queued job goes to another printer with its papers converted for it; false when it is
    // no longer queued.
    bool move(std::int64_t id, const std::string& printer, const std::vector<Paper>& papers);

private:
    JobRecord read_job(const SqliteStatement& row) const;
    std::vector<JobRecord> read_jobs(SqliteStatement& statement) const;

    std::mutex mutex_;
    SqliteDatabase db_;
};

}  // namespace tovprintd
