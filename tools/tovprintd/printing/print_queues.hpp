#pragma once
// Every printer of the configuration with its writer, the bytes of its profile and its backup.
// When a printer cannot print, its queued jobs (nothing of which was sent) move to its backup
// printer, their papers converted for the backup's profile, as long as the backup is not known
// to be unable to print itself.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/service_config.hpp"
#include "jobs/job_log.hpp"
#include "journal/journal.hpp"
#include "printing/printer_papers.hpp"
#include "printing/printer_writer.hpp"

namespace tovprintd {

struct PrinterView {
    std::string name;
    std::string address;
    std::string profile;
    std::optional<std::string> backup;
    PrinterSnapshot snapshot;
    QueueSummary queue;
};

class PrintQueues {
public:
    using LinkFactory = std::function<std::unique_ptr<PrinterLink>(const PrinterConfig&)>;

    PrintQueues(const std::map<std::string, PrinterConfig>& printers, Journal& journal, JobLog& log,
                const LinkFactory& links = port_printer_link);
    ~PrintQueues();
    PrintQueues(const PrintQueues&) = delete;
    PrintQueues& operator=(const PrintQueues&) = delete;

    void start();
    // Each writer finishes its job in progress, then stops.
    void stop();

    bool has_printer(const std::string& name) const { return printers_.contains(name); }
    const PrinterPapers& papers_of(const std::string& printer) const;
    void job_queued(const std::string& printer);
    std::vector<PrinterView> views();

private:
    void move_to_backup(const std::string& printer);

    struct Printer {
        PrinterConfig config;
        std::unique_ptr<PrinterPapers> papers;
        std::unique_ptr<PrinterWriter> writer;
    };

    Journal& journal_;
    JobLog& log_;
    std::map<std::string, Printer> printers_;
};

}  // namespace tovprintd
