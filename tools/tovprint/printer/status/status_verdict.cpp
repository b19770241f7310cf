#include "printer/status/status_verdict.hpp"

namespace tovprint::status {
namespace {

void add_if(std::vector<std::string>& list, bool condition, std::string_view text) {
    if (condition) list.emplace_back(text);
}

std::vector<std::string> what_stops_it(const PrinterStatus& status) {
    std::vector<std::string> stops;
    if (const auto cause = status.off_line_cause()) {
        add_if(stops, cause->cover_open, "cover open");
        add_if(stops, cause->stopped_by_paper_end, "stopped at the end of the paper");
    }
    if (const auto paper = status.roll_paper()) add_if(stops, paper->paper_end, "out of paper");
    if (const auto error = status.error_cause()) {
        add_if(stops, error->recoverable_error, "mechanical error");
        add_if(stops, error->cutter_error, "cutter error");
        add_if(stops, error->unrecoverable_error, "unrecoverable error");
        add_if(stops, error->auto_recoverable_error,
               "error that clears by itself (print head too hot?)");
    }
    const auto printer = status.printer();
    if (printer && printer->waiting_for_recovery) stops.emplace_back("waiting for recovery");
    const auto cause = status.off_line_cause();
    if (cause && cause->error && stops.empty()) stops.emplace_back("error");
    if (printer && printer->off_line && stops.empty()) stops.emplace_back("off line");
    return stops;
}

std::vector<std::string> unanswered_reads(const PrinterStatus& status) {
    std::vector<std::string> missing;
    for (RealTimeRead read : all_real_time_reads) {
        if (!status.answer(read)) {
            missing.push_back("no answer to the " + std::string(real_time_read_name(read)) +
                              " status read");
        }
    }
    return missing;
}

}  // namespace

std::string_view verdict_name(Verdict verdict) {
    switch (verdict) {
        case Verdict::CanPrint:
            return "can print";
        case Verdict::CannotPrint:
            return "cannot print";
        case Verdict::Unknown:
            return "status unknown";
    }
    return "status unknown";
}

StatusVerdict judge(const PrinterStatus& status) {
    StatusVerdict verdict;
    if (const auto paper = status.roll_paper()) {
        add_if(verdict.warnings, paper->near_end && !paper->paper_end, "paper near its end");
    }
    verdict.reasons = what_stops_it(status);
    if (!verdict.reasons.empty()) {
        verdict.verdict = Verdict::CannotPrint;
    } else if (!status.complete()) {
        verdict.verdict = Verdict::Unknown;
        verdict.reasons = unanswered_reads(status);
    } else {
        verdict.verdict = Verdict::CanPrint;
    }
    return verdict;
}

}  // namespace tovprint::status
