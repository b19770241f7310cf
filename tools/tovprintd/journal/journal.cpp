#include "journal/journal.hpp"

#include <sqlite3.h>

#include "journal/utc_time.hpp"

namespace tovprintd {
namespace {

constexpr const char* schema = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = FULL;
CREATE TABLE IF NOT EXISTS jobs (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    caller TEXT NOT NULL,
    idempotency_key TEXT,
    body_sha256 TEXT NOT NULL,
    printer TEXT NOT NULL,
    document TEXT NOT NULL,
    language TEXT NOT NULL,
    state TEXT NOT NULL,
    papers INTEGER NOT NULL,
    attempts INTEGER NOT NULL DEFAULT 0,
    error TEXT,
    created TEXT NOT NULL,
    created_ms INTEGER NOT NULL,
    finished TEXT,
    reprint_of INTEGER REFERENCES jobs(id),
    moved_from TEXT,
    UNIQUE (caller, idempotency_key)
);
CREATE INDEX IF NOT EXISTS jobs_of_printer ON jobs (printer, state, id);
CREATE TABLE IF NOT EXISTS papers (
    job INTEGER NOT NULL REFERENCES jobs(id),
    number INTEGER NOT NULL,
    text BLOB NOT NULL,
    bytes BLOB NOT NULL,
    PRIMARY KEY (job, number)
);
)sql";

constexpr const char* job_columns =
    "id, caller, printer, document, language, state, papers, attempts, error, created, "
    "created_ms, finished, reprint_of, moved_from";

std::string select_jobs(const std::string& where) {
    return std::string("SELECT ") + job_columns + " FROM jobs " + where;
}

// BEGIN IMMEDIATE ... COMMIT, rolled back when left by an exception.
class Transaction {
public:
    explicit Transaction(SqliteDatabase& db) : db_(db) { db_.execute("BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!committed_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        db_.execute("COMMIT");
        committed_ = true;
    }

private:
    SqliteDatabase& db_;
    bool committed_ = false;
};

std::string state_text(JobState state) {
    return std::string(state_name(state));
}

}  // namespace

Journal::Journal(const std::filesystem::path& file) : db_(file) {
    db_.execute(schema);
}

JobRecord Journal::read_job(const SqliteStatement& row) const {
    JobRecord job;
    job.id = row.integer(0);
    job.caller = row.text(1);
    job.printer = row.text(2);
    job.document = row.text(3);
    job.language = row.text(4);
    job.state = state_named(row.text(5)).value_or(JobState::Unconfirmed);
    job.papers = static_cast<int>(row.integer(6));
    job.attempts = static_cast<int>(row.integer(7));
    job.error = row.optional_text(8);
    job.created = row.text(9);
    job.created_ms = row.integer(10);
    job.finished = row.optional_text(11);
    job.reprint_of = row.optional_integer(12);
    job.moved_from = row.optional_text(13);
    return job;
}

std::vector<JobRecord> Journal::read_jobs(SqliteStatement& statement) const {
    std::vector<JobRecord> jobs;
    while (statement.step()) jobs.push_back(read_job(statement));
    return jobs;
}

std::vector<std::int64_t> Journal::settle_interrupted_jobs() {
    const std::lock_guard lock(mutex_);
    std::vector<std::int64_t> ids;
    Transaction transaction(db_);
    SqliteStatement sending(db_, "SELECT id FROM jobs WHERE state = 'sending' ORDER BY id");
    while (sending.step()) ids.push_back(sending.integer(0));
    const std::string now = utc_text(utc_milliseconds());
    SqliteStatement settle(db_,
                           "UPDATE jobs SET state = 'unconfirmed', finished = ?1, error = "
                           "'the service stopped while the job was being sent' WHERE state = "
                           "'sending'");
    settle.bind(1, now).run();
    transaction.commit();
    return ids;
}

Journal::Acceptance Journal::accept(const NewJob& job) {
    const std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    if (!job.idempotency_key.empty()) {
        SqliteStatement existing(
            db_, "SELECT id, body_sha256 FROM jobs WHERE caller = ?1 AND idempotency_key = ?2");
        existing.bind(1, job.caller).bind(2, job.idempotency_key);
        if (existing.step()) return {existing.integer(0), false, existing.text(1)};
    }
    const std::int64_t now = utc_milliseconds();
    SqliteStatement insert(db_,
                           "INSERT INTO jobs (caller, idempotency_key, body_sha256, printer, "
                           "document, language, state, papers, created, created_ms, reprint_of) "
                           "VALUES (?1, ?2, ?3, ?4, ?5, ?6, 'queued', ?7, ?8, ?9, ?10)");
    insert.bind(1, job.caller)
        .bind(2, job.idempotency_key.empty() ? std::nullopt
                                             : std::optional<std::string>(job.idempotency_key))
        .bind(3, job.body_sha256)
        .bind(4, job.printer)
        .bind(5, job.document)
        .bind(6, job.language)
        .bind(7, static_cast<std::int64_t>(job.papers.size()))
        .bind(8, utc_text(now))
        .bind(9, now)
        .bind(10, job.reprint_of)
        .run();
    const std::int64_t id = db_.last_insert_id();
    SqliteStatement paper(db_,
                          "INSERT INTO papers (job, number, text, bytes) VALUES (?1, ?2, ?3, ?4)");
    for (std::size_t i = 0; i < job.papers.size(); ++i) {
        paper.bind(1, id)
            .bind(2, static_cast<std::int64_t>(i + 1))
            .bind_blob(3, job.papers[i].text)
            .bind_blob(4, job.papers[i].bytes)
            .run();
        paper.reset();
    }
    transaction.commit();
    return {id, true, job.body_sha256};
}

std::optional<KeyedJob> Journal::find_by_key(const std::string& caller, const std::string& key) {
    const std::lock_guard lock(mutex_);
    SqliteStatement found(
        db_, "SELECT id, body_sha256 FROM jobs WHERE caller = ?1 AND idempotency_key = ?2");
    found.bind(1, caller).bind(2, key);
    if (!found.step()) return std::nullopt;
    return KeyedJob{found.integer(0), found.text(1)};
}

std::optional<JobRecord> Journal::find(std::int64_t id) {
    const std::lock_guard lock(mutex_);
    SqliteStatement found(db_, select_jobs("WHERE id = ?1").c_str());
    found.bind(1, id);
    if (!found.step()) return std::nullopt;
    return read_job(found);
}

std::vector<JobRecord> Journal::list(const JobFilter& filter) {
    const std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, select_jobs("WHERE (?1 IS NULL OR state = ?1) AND (?2 IS NULL "
                                               "OR printer = ?2) AND (?3 IS NULL OR caller = ?3) "
                                               "AND (?5 IS NULL OR id < ?5) ORDER BY id DESC "
                                               "LIMIT ?4")
                                       .c_str());
    statement.bind(1, filter.state ? std::optional(state_text(*filter.state)) : std::nullopt)
        .bind(2, filter.printer)
        .bind(3, filter.caller)
        .bind(4, static_cast<std::int64_t>(filter.limit))
        .bind(5, filter.before);
    return read_jobs(statement);
}

std::vector<Paper> Journal::papers(std::int64_t id) {
    const std::lock_guard lock(mutex_);
    SqliteStatement statement(db_, "SELECT text, bytes FROM papers WHERE job = ?1 ORDER BY number");
    statement.bind(1, id);
    std::vector<Paper> papers;
    while (statement.step()) papers.push_back({statement.text(0), statement.text(1)});
    return papers;
}

std::optional<JobRecord> Journal::next_queued(const std::string& printer) {
    const std::lock_guard lock(mutex_);
    SqliteStatement statement(
        db_, select_jobs("WHERE printer = ?1 AND state = 'queued' ORDER BY id LIMIT 1").c_str());
    statement.bind(1, printer);
    if (!statement.step()) return std::nullopt;
    return read_job(statement);
}

std::vector<JobRecord> Journal::queued(const std::string& printer) {
    const std::lock_guard lock(mutex_);
    SqliteStatement statement(
        db_, select_jobs("WHERE printer = ?1 AND state = 'queued' ORDER BY id").c_str());
    statement.bind(1, printer);
    return read_jobs(statement);
}

QueueSummary Journal::queue_summary(const std::string& printer) {
    const std::lock_guard lock(mutex_);
    SqliteStatement statement(db_,
                              "SELECT COUNT(*), MIN(created_ms) FROM jobs WHERE printer = ?1 AND "
                              "state = 'queued'");
    statement.bind(1, printer);
    statement.step();
    return {statement.integer(0), statement.optional_integer(1)};
}

bool Journal::start_sending(std::int64_t id) {
    const std::lock_guard lock(mutex_);
    SqliteStatement update(db_,
                           "UPDATE jobs SET state = 'sending', attempts = attempts + 1, error = "
                           "NULL WHERE id = ?1 AND state = 'queued'");
    update.bind(1, id).run();
    return db_.changes() == 1;
}

void Journal::finish_sending(std::int64_t id, JobState state,
                             const std::optional<std::string>& error) {
    const std::lock_guard lock(mutex_);
    SqliteStatement update(db_,
                           "UPDATE jobs SET state = ?2, error = ?3, finished = ?4 WHERE id = ?1 "
                           "AND state = 'sending'");
    update.bind(1, id)
        .bind(2, state_text(state))
        .bind(3, error)
        .bind(4, utc_text(utc_milliseconds()))
        .run();
}

void Journal::note_failed_attempt(std::int64_t id, const std::string& error) {
    const std::lock_guard lock(mutex_);
    SqliteStatement update(db_,
                           "UPDATE jobs SET attempts = attempts + 1, error = ?2 WHERE id = ?1 AND "
                           "state = 'queued'");
    update.bind(1, id).bind(2, error).run();
}

bool Journal::cancel(std::int64_t id) {
    const std::lock_guard lock(mutex_);
    SqliteStatement update(db_,
                           "UPDATE jobs SET state = 'cancelled', finished = ?2 WHERE id = ?1 AND "
                           "state = 'queued'");
    update.bind(1, id).bind(2, utc_text(utc_milliseconds())).run();
    return db_.changes() == 1;
}

bool Journal::move(std::int64_t id, const std::string& printer, const std::vector<Paper>& papers) {
    const std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    SqliteStatement update(db_,
                           "UPDATE jobs SET moved_from = printer, printer = ?2 WHERE id = ?1 AND "
                           "state = 'queued'");
    update.bind(1, id).bind(2, printer).run();
    if (db_.changes() != 1) return false;
    SqliteStatement paper(db_, "UPDATE papers SET bytes = ?3 WHERE job = ?1 AND number = ?2");
    for (std::size_t i = 0; i < papers.size(); ++i) {
        paper.bind(1, id)
            .bind(2, static_cast<std::int64_t>(i + 1))
            .bind_blob(3, papers[i].bytes)
            .run();
        paper.reset();
    }
    transaction.commit();
    return true;
}

}  // namespace tovprintd
