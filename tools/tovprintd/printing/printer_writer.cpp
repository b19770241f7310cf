#include "printing/printer_writer.hpp"

#include "journal/utc_time.hpp"

namespace tovprintd {
namespace {

constexpr std::chrono::milliseconds idle_status_interval{2000};
constexpr std::chrono::milliseconds held_retry_interval{1000};

JobState state_of(Confirmation confirmation) {
    switch (confirmation) {
        case Confirmation::Printed:
            return JobState::Printed;
        case Confirmation::SentNotConfirmed:
            return JobState::Sent;
        case Confirmation::NotConfirmed:
            return JobState::Unconfirmed;
    }
    return JobState::Unconfirmed;
}

}  // namespace

PrinterWriter::PrinterWriter(std::string name, std::unique_ptr<PrinterLink> link,
                             const PrinterPapers& papers, Journal& journal, JobLog& log,
                             CannotPrint cannot_print)
    : name_(std::move(name)),
      link_(std::move(link)),
      papers_(papers),
      journal_(journal),
      log_(log),
      cannot_print_(std::move(cannot_print)) {}

PrinterWriter::~PrinterWriter() {
    stop();
}

void PrinterWriter::start() {
    thread_ = std::thread([this] { run(); });
}

void PrinterWriter::wake() {
    {
        const std::lock_guard lock(mutex_);
        wake_ = true;
    }
    woken_.notify_one();
}

void PrinterWriter::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    woken_.notify_one();
    if (thread_.joinable()) thread_.join();
}

PrinterSnapshot PrinterWriter::snapshot() const {
    const std::lock_guard lock(mutex_);
    return snapshot_;
}

bool PrinterWriter::wait(std::chrono::milliseconds time) {
    std::unique_lock lock(mutex_);
    const bool woken = woken_.wait_for(lock, time, [this] { return wake_ || stopping_; });
    wake_ = false;
    return woken;
}

void PrinterWriter::ask_status() {
    note_status(link_->status());
}

void PrinterWriter::run() {
    ask_status();
    for (;;) {
        {
            const std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        try {
            const std::optional<JobRecord> job = journal_.next_queued(name_);
            if (!job) {
                // Idle, the printer is asked now and then; a job that wakes the writer is asked
                // about over its own connection.
                if (!wait(idle_status_interval)) ask_status();
            } else if (!print(*job)) {
                cannot_print_(name_);
                wait(held_retry_interval);
            }
        } catch (const std::exception& error) {
            // The journal failed (a full disk): nothing more is sent until it works again.
            log_.note("printer " + name_ + ": " + error.what());
            wait(held_retry_interval);
        }
    }
}

void PrinterWriter::note_status(PrinterStatus status) {
    const std::lock_guard lock(mutex_);
    snapshot_ = {std::move(status), utc_milliseconds()};
}

// The status is asked over the job's own connection; nothing goes to a printer that cannot
// print, and a job whose printer cannot be reached notes the attempt. A printer held because it
// could not print is asked on a connection of its own until it can, so that a printer switched
// off for an hour is not an attempt of the job every second.
bool PrinterWriter::print(const JobRecord& job) {
    if (snapshot().status.condition == PrinterCondition::Cannot) {
        ask_status();
        if (snapshot().status.condition == PrinterCondition::Cannot) return false;
    }
    try {
        const PrinterStatus status = link_->open_job();
        note_status(status);
        if (status.condition == PrinterCondition::Cannot) {
            link_->abandon();
            return false;
        }
    } catch (const std::exception& error) {
        note_status({PrinterCondition::Cannot, error.what()});
        journal_.note_failed_attempt(job.id, error.what());
        return false;
    }
    if (!journal_.start_sending(job.id)) {
        link_->abandon();  // cancelled or moved meanwhile
        return true;
    }
    log_.job(job, JobState::Sending);
    send(job);
    return true;
}

void PrinterWriter::send(const JobRecord& job) {
    JobState state = JobState::Unconfirmed;
    std::optional<std::string> error;
    try {
        const std::vector<Paper> papers = journal_.papers(job.id);
        std::string prologue = papers_.prologue();
        for (const Paper& paper : papers) {
            link_->send_paper(prologue + paper.bytes);
            prologue.clear();
        }
        state = state_of(link_->confirm());
        if (state == JobState::Unconfirmed) error = "the printer did not confirm the job";
    } catch (const std::exception& failure) {
        link_->abandon();
        error = failure.what();
    }
    journal_.finish_sending(job.id, state, error);
    log_.job(job, state, error.value_or(""));
}

}  // namespace tovprintd
