#include "printing/print_queues.hpp"

#include "platform/errors/errors.hpp"

namespace tovprintd {

PrintQueues::PrintQueues(const std::map<std::string, PrinterConfig>& printers, Journal& journal,
                         JobLog& log, const LinkFactory& links)
    : journal_(journal), log_(log) {
    for (const auto& [name, config] : printers) {
        Printer& printer = printers_[name];
        printer.config = config;
        printer.papers = std::make_unique<PrinterPapers>(config.profile);
        printer.writer = std::make_unique<PrinterWriter>(
            name, links(config), *printer.papers, journal_, log_,
            [this](const std::string& from) { move_to_backup(from); });
    }
}

PrintQueues::~PrintQueues() {
    stop();
}

void PrintQueues::start() {
    for (auto& [name, printer] : printers_) printer.writer->start();
}

void PrintQueues::stop() {
    for (auto& [name, printer] : printers_) printer.writer->stop();
}

const PrinterPapers& PrintQueues::papers_of(const std::string& printer) const {
    const auto found = printers_.find(printer);
    if (found == printers_.end()) throw tov::ArgumentError("no printer is named '" + printer + "'");
    return *found->second.papers;
}

void PrintQueues::job_queued(const std::string& printer) {
    const auto found = printers_.find(printer);
    if (found != printers_.end()) found->second.writer->wake();
}

std::vector<PrinterView> PrintQueues::views() {
    std::vector<PrinterView> views;
    for (auto& [name, printer] : printers_) {
        views.push_back({name, printer.config.address, printer.config.profile.name,
                         printer.config.backup, printer.writer->snapshot(),
                         journal_.queue_summary(name)});
    }
    return views;
}

void PrintQueues::move_to_backup(const std::string& from) {
    const Printer& printer = printers_.at(from);
    if (!printer.config.backup) return;
    const std::string& backup_name = *printer.config.backup;
    Printer& backup = printers_.at(backup_name);
    if (backup.writer->snapshot().status.condition == PrinterCondition::Cannot) return;
    const std::string reason = printer.writer->snapshot().status.reason;
    bool moved = false;
    for (const JobRecord& job : journal_.queued(from)) {
        const auto papers = backup.papers->converted(journal_.papers(job.id));
        if (!journal_.move(job.id, backup_name, papers)) continue;
        log_.job(job, JobState::Queued,
                 "moved to " + backup_name + " (" + from + " cannot print: " + reason + ")");
        moved = true;
    }
    if (moved) backup.writer->wake();
}

}  // namespace tovprintd
