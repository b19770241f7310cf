#pragma once
// What the API does with jobs, apart from HTTP: submit (compose at once, keep in the journal,
// queue), read, list, cancel, reprint, preview, and the printers' view. Answers are JSON values;
// refusals are ApiError with the status and a message naming what was wrong.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "jobs/document_composer.hpp"
#if TOV_PREVIEW
#include "preview/receipt_picture.hpp"
#endif
#include "config/service_config.hpp"
#include "jobs/job_log.hpp"
#include "journal/journal.hpp"
#include "printing/print_queues.hpp"

namespace tovprintd {

struct ApiAnswer {
    int status = 200;
    nlohmann::json body;
};

class JobService {
public:
    JobService(Journal& journal, DocumentComposer& composer, PrintQueues& queues, JobLog& log,
               std::size_t queue_limit);

    // POST /v1/jobs. The same key and body again answer the job kept the first time (200).
    ApiAnswer submit(const CallerConfig& caller, std::string_view idempotency_key,
                     std::string_view body);
    ApiAnswer job(const CallerConfig& caller, std::int64_t id);
    // Newest first, at most `limit` (1 to 1000), of ids below `before` when given.
    ApiAnswer jobs(const CallerConfig& caller, const std::optional<std::string>& state,
                   const std::optional<std::string>& printer, int limit,
                   std::optional<std::int64_t> before);
    ApiAnswer cancel(const CallerConfig& caller, std::int64_t id);
    ApiAnswer reprint(const CallerConfig& caller, std::int64_t id);
    ApiAnswer printers();
    // One paper of the job drawn as a PNG picture (papers from 1).
    std::string preview_png(const CallerConfig& caller, std::int64_t id, int paper);

private:
    JobRecord readable_job(const CallerConfig& caller, std::int64_t id);
    void check_room(const std::string& printer);
    void require_manager(const CallerConfig& caller, std::string_view doing);

    Journal& journal_;
    DocumentComposer& composer_;
    PrintQueues& queues_;
    JobLog& log_;
    std::size_t queue_limit_;
    std::mutex drawing_;  // cairo's fonts are shared by the whole process
#if TOV_PREVIEW
    tovprint::PictureFonts fonts_;  // released with the service, once nothing draws any more
#endif
};

// The JSON of a job as the API shows it.
nlohmann::json job_json(const JobRecord& job);

}  // namespace tovprintd
