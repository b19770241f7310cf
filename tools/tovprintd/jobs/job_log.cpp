#include "jobs/job_log.hpp"

namespace tovprintd {

void JobLog::job(const JobRecord& job, JobState state, std::string_view detail) {
    std::string line = "job " + std::to_string(job.id) + " " + job.printer + " " + job.document +
                       " " + std::string(state_name(state));
    if (!detail.empty()) line += ": " + std::string(detail);
    note(line);
}

void JobLog::note(std::string_view line) {
    const std::lock_guard lock(mutex_);
    out_ << "tovprintd: " << line << '\n';
    out_.flush();
}

}  // namespace tovprintd
