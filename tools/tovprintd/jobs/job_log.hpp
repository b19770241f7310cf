#pragma once
// One line on the log (standard error) for each change of a job's state:
//   tovprintd: job 12 caixa vendedor queued
//   tovprintd: job 12 caixa vendedor unconfirmed: printer tcp://... dropped the connection ...
// Lines of several threads are never mixed.

#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

#include "journal/job_record.hpp"

namespace tovprintd {

class JobLog {
public:
    explicit JobLog(std::ostream& out) : out_(out) {}

    void job(const JobRecord& job, JobState state, std::string_view detail = {});
    void note(std::string_view line);

private:
    std::mutex mutex_;
    std::ostream& out_;
};

}  // namespace tovprintd
