#pragma once
// The one thread that writes to a printer: its queued jobs in the order they were accepted, one
// whole job at a time, so that the papers of two jobs never mix. Before each job it asks the
// printer's status; a printer that cannot print holds its queue (tried again every second), and
// the owner is told so that it may move the queue to a backup printer. Every change of a job's
// state is in the journal before it is acted on: `sending` before the first byte, and a job whose
// sending failed is unconfirmed, never sent again by itself. Asked to stop, the writer finishes
// the job in progress first.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "jobs/job_log.hpp"
#include "journal/journal.hpp"
#include "printing/printer_link.hpp"
#include "printing/printer_papers.hpp"

namespace tovprintd {

struct PrinterSnapshot {
    PrinterStatus status;
    std::int64_t asked_ms = 0;  // when the status was asked (utc_milliseconds)
};

class PrinterWriter {
public:
    using CannotPrint = std::function<void(const std::string& printer)>;

    PrinterWriter(std::string name, std::unique_ptr<PrinterLink> link, const PrinterPapers& papers,
                  Journal& journal, JobLog& log, CannotPrint cannot_print);
    ~PrinterWriter();
    PrinterWriter(const PrinterWriter&) = delete;
    PrinterWriter& operator=(const PrinterWriter&) = delete;

    void start();
    // A job may be waiting.
    void wake();
    // Finishes the job in progress, then stops the thread.
    void stop();

    PrinterSnapshot snapshot() const;

private:
    void run();
    // False when the printer could not take the job (it stays queued).
    bool print(const JobRecord& job);
    void send(const JobRecord& job);
    void ask_status();
    void note_status(PrinterStatus status);
    // False when the time passed without a wake.
    bool wait(std::chrono::milliseconds time);

    std::string name_;
    std::unique_ptr<PrinterLink> link_;
    const PrinterPapers& papers_;
    Journal& journal_;
    JobLog& log_;
    CannotPrint cannot_print_;

    mutable std::mutex mutex_;
    std::condition_variable woken_;
    bool wake_ = false;
    bool stopping_ = false;
    PrinterSnapshot snapshot_;
    std::thread thread_;
};

}  // namespace tovprintd
