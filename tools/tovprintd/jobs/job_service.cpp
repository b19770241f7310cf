#include "jobs/job_service.hpp"

#include "access/sha256.hpp"
#include "http/api_error.hpp"
#include "jobs/reprint_mark.hpp"
#include "journal/utc_time.hpp"
#if TOV_PREVIEW
#include "preview/receipt_picture.hpp"
#include "printer/receipt_layout.hpp"
#endif

namespace tovprintd {
namespace {

using nlohmann::json;

constexpr int deepest_body_nesting = 16;
constexpr std::size_t longest_idempotency_key = 200;
constexpr int retry_after_full_queue_seconds = 5;

json optional_json(const std::optional<std::string>& value) {
    return value ? json(*value) : json(nullptr);
}

json parse_body(std::string_view body) {
    const auto refuse_deep_nesting = [](int depth, json::parse_event_t, json&) {
        if (depth > deepest_body_nesting) {
            throw ApiError(http_status::bad_request, "the body is nested too deeply");
        }
        return true;
    };
    json parsed;
    try {
        parsed = json::parse(body, refuse_deep_nesting);
    } catch (const json::exception& error) {
        throw ApiError(http_status::bad_request,
                       std::string("the body is not valid JSON: ") + error.what());
    }
    if (!parsed.is_object()) throw ApiError(http_status::bad_request, "the body must be an object");
    return parsed;
}

std::string string_member(const json& body, const char* key) {
    const auto found = body.find(key);
    if (found == body.end()) {
        throw ApiError(http_status::bad_request, std::string("the body lacks \"") + key + "\"");
    }
    if (!found->is_string()) {
        throw ApiError(http_status::bad_request, std::string("\"") + key + "\" must be a string");
    }
    return found->get<std::string>();
}

struct JobBody {
    std::string printer;
    std::string document;
    std::string request;  // JSON text of the request object
};

JobBody read_job_body(const json& body) {
    for (const auto& item : body.items()) {
        if (item.key() != "printer" && item.key() != "document" && item.key() != "request") {
            throw ApiError(http_status::bad_request, "unknown key \"" + item.key() +
                                                         "\" in the body (printer, document, "
                                                         "request)");
        }
    }
    JobBody job{string_member(body, "printer"), string_member(body, "document"), ""};
    const auto request = body.find("request");
    if (request == body.end() || !request->is_object()) {
        throw ApiError(http_status::bad_request,
                       "\"request\" must be an object of the document's parameters");
    }
    job.request = request->dump();
    return job;
}

void check_idempotency_key(std::string_view key) {
    if (key.empty()) {
        throw ApiError(http_status::bad_request,
                       "the header Idempotency-Key is required: a key of the caller's own for "
                       "this job, the same when the request is sent again");
    }
    if (key.size() > longest_idempotency_key) {
        throw ApiError(http_status::bad_request, "Idempotency-Key is longer than 200 characters");
    }
    for (const char c : key) {
        if (c < 0x21 || c > 0x7E) {
            throw ApiError(http_status::bad_request,
                           "Idempotency-Key may hold only visible ASCII characters");
        }
    }
}

// DLE begins the real-time commands an ESC/POS printer obeys wherever they come, even inside
// text: DLE EOT asks its status, DLE DC4 pulses the cash drawer or switches the printer off.
// The package's documents never hold it; one that does carries it from a request's text, and
// is refused rather than let a caller drive the printer.
constexpr char real_time_command_lead = 0x10;

void refuse_real_time_commands(const std::vector<std::string>& papers) {
    for (const std::string& paper : papers) {
        if (paper.find(real_time_command_lead) != std::string::npos) {
            throw ApiError(http_status::unprocessable,
                           "the document holds the byte DLE (0x10), which a printer obeys as a "
                           "real-time command (status, cash drawer, power off): is it in a text "
                           "of the request?");
        }
    }
}

json created_json(std::int64_t id) {
    return json{{"id", id}, {"state", "queued"}};
}

}  // namespace

json job_json(const JobRecord& job) {
    return json{{"id", job.id},
                {"caller", job.caller},
                {"printer", job.printer},
                {"document", job.document},
                {"state", state_name(job.state)},
                {"papers", job.papers},
                {"attempts", job.attempts},
                {"error", optional_json(job.error)},
                {"created", job.created},
                {"finished", optional_json(job.finished)},
                {"reprint_of", job.reprint_of ? json(*job.reprint_of) : json(nullptr)},
                {"moved_from", optional_json(job.moved_from)}};
}

JobService::JobService(Journal& journal, DocumentComposer& composer, PrintQueues& queues,
                       JobLog& log, std::size_t queue_limit)
    : journal_(journal),
      composer_(composer),
      queues_(queues),
      log_(log),
      queue_limit_(queue_limit) {}

void JobService::check_room(const std::string& printer) {
    if (journal_.queue_summary(printer).queued >= static_cast<std::int64_t>(queue_limit_)) {
        throw ApiError(http_status::service_unavailable,
                       "printer '" + printer + "' has " + std::to_string(queue_limit_) +
                           " jobs waiting already: try again later",
                       retry_after_full_queue_seconds);
    }
}

void JobService::require_manager(const CallerConfig& caller, std::string_view doing) {
    if (caller.role != CallerRole::Manager) {
        throw ApiError(
            http_status::forbidden,
            "caller '" + caller.name + "' is a till: only a manager may " + std::string(doing));
    }
}

ApiAnswer JobService::submit(const CallerConfig& caller, std::string_view idempotency_key,
                             std::string_view body) {
    check_idempotency_key(idempotency_key);
    const json parsed = parse_body(body);
    const std::string body_sha256 = hex_text(sha256(parsed.dump()));
    const std::string key(idempotency_key);
    const auto answer_kept = [&](std::int64_t id, const std::string& kept_sha256) {
        if (kept_sha256 != body_sha256) {
            throw ApiError(http_status::conflict, "Idempotency-Key '" + key +
                                                      "' was used for job " + std::to_string(id) +
                                                      " with another body");
        }
        return ApiAnswer{http_status::ok, job_json(*journal_.find(id))};
    };
    if (const auto kept = journal_.find_by_key(caller.name, key)) {
        return answer_kept(kept->id, kept->body_sha256);
    }
    const JobBody job = read_job_body(parsed);
    if (!queues_.has_printer(job.printer)) {
        throw ApiError(http_status::bad_request, "no printer is named '" + job.printer + "'");
    }
    if (!is_print_document(job.document)) {
        throw ApiError(http_status::bad_request,
                       "no document is named '" + job.document +
                           "' (conferencia, vendedor, cupom_troca, tipo_rece, extrato, dados_paf)");
    }
    check_room(job.printer);
    std::vector<std::string> texts;
    try {
        texts = composer_.compose(job.document, job.request);
    } catch (const RequestRefused& error) {
        throw ApiError(http_status::bad_request, error.what());
    } catch (const DocumentRefused& error) {
        throw ApiError(http_status::unprocessable, error.what());
    }
    refuse_real_time_commands(texts);
    NewJob new_job{caller.name, key,          body_sha256,
                   job.printer, job.document, document_language(texts.front()),
                   {},          std::nullopt};
    new_job.papers = queues_.papers_of(job.printer).papers(std::move(texts));
    const Journal::Acceptance accepted = journal_.accept(new_job);
    if (!accepted.created) return answer_kept(accepted.id, accepted.body_sha256);
    log_.job(*journal_.find(accepted.id), JobState::Queued);
    queues_.job_queued(job.printer);
    return {http_status::created, created_json(accepted.id)};
}

JobRecord JobService::readable_job(const CallerConfig& caller, std::int64_t id) {
    auto job = journal_.find(id);
    if (!job || (caller.role != CallerRole::Manager && job->caller != caller.name)) {
        throw ApiError(http_status::not_found, "no job " + std::to_string(id));
    }
    return *job;
}

ApiAnswer JobService::job(const CallerConfig& caller, std::int64_t id) {
    return {http_status::ok, job_json(readable_job(caller, id))};
}

ApiAnswer JobService::jobs(const CallerConfig& caller, const std::optional<std::string>& state,
                           const std::optional<std::string>& printer, int limit,
                           std::optional<std::int64_t> before) {
    JobFilter filter;
    filter.limit = limit;
    filter.before = before;
    if (state) {
        filter.state = state_named(*state);
        if (!filter.state) {
            throw ApiError(http_status::bad_request,
                           "no state is named '" + *state +
                               "' (queued, sending, printed, sent, unconfirmed, cancelled)");
        }
    }
    if (printer) {
        if (!queues_.has_printer(*printer)) {
            throw ApiError(http_status::bad_request, "no printer is named '" + *printer + "'");
        }
        filter.printer = printer;
    }
    // A till sees its own jobs; a manager every one.
    if (caller.role != CallerRole::Manager) filter.caller = caller.name;
    json list = json::array();
    const std::vector<JobRecord> jobs = journal_.list(filter);
    for (const JobRecord& job : jobs) list.push_back(job_json(job));
    json answer{{"jobs", std::move(list)}};
    // The next page, when this one is full.
    answer["next_before"] =
        static_cast<int>(jobs.size()) == limit ? json(jobs.back().id) : json(nullptr);
    return {http_status::ok, std::move(answer)};
}

ApiAnswer JobService::cancel(const CallerConfig& caller, std::int64_t id) {
    require_manager(caller, "cancel a job");
    const JobRecord job = readable_job(caller, id);
    if (!journal_.cancel(id)) {
        const JobRecord now = *journal_.find(id);
        throw ApiError(http_status::conflict, "job " + std::to_string(id) + " is " +
                                                  std::string(state_name(now.state)) +
                                                  ": only a queued job can be cancelled");
    }
    log_.job(job, JobState::Cancelled, "by " + caller.name);
    return {http_status::ok, job_json(*journal_.find(id))};
}

ApiAnswer JobService::reprint(const CallerConfig& caller, std::int64_t id) {
    require_manager(caller, "reprint a job");
    JobRecord job = readable_job(caller, id);
    if (job.state == JobState::Queued || job.state == JobState::Sending ||
        job.state == JobState::Cancelled) {
        throw ApiError(http_status::conflict,
                       "job " + std::to_string(id) + " is " + std::string(state_name(job.state)) +
                           ": only a job that was sent to its printer can be reprinted");
    }
    // A reprint of a reprint is made from the original, so it carries one mark.
    if (job.reprint_of) job = *journal_.find(*job.reprint_of);
    check_room(job.printer);
    const PrinterPapers& papers = queues_.papers_of(job.printer);
    NewJob reprint{
        caller.name, "", hex_text(sha256("")), job.printer, job.document, job.language, {}, job.id};
    for (const Paper& paper : journal_.papers(job.id)) {
        reprint.papers.push_back(papers.paper(marked_as_reprint(paper.text, job.language)));
    }
    const Journal::Acceptance accepted = journal_.accept(reprint);
    log_.job(*journal_.find(accepted.id), JobState::Queued,
             "reprint of job " + std::to_string(job.id) + " by " + caller.name);
    queues_.job_queued(job.printer);
    return {http_status::created, created_json(accepted.id)};
}

ApiAnswer JobService::printers() {
    const std::int64_t now = utc_milliseconds();
    json list = json::array();
    for (const PrinterView& view : queues_.views()) {
        json printer{
            {"name", view.name},
            {"address", view.address},
            {"profile", view.profile},
            {"backup", optional_json(view.backup)},
            {"status", condition_name(view.snapshot.status.condition)},
            {"reason", view.snapshot.status.reason.empty() ? json(nullptr)
                                                           : json(view.snapshot.status.reason)},
            {"status_age_seconds", (now - view.snapshot.asked_ms) / 1000.0},
            {"queued", view.queue.queued},
            {"oldest_queued_age_seconds", view.queue.oldest_created_ms
                                              ? json((now - *view.queue.oldest_created_ms) / 1000.0)
                                              : json(nullptr)}};
        list.push_back(std::move(printer));
    }
    return {http_status::ok, json{{"printers", std::move(list)}}};
}

std::string JobService::preview_png([[maybe_unused]] const CallerConfig& caller,
                                    [[maybe_unused]] std::int64_t id, [[maybe_unused]] int paper) {
#if TOV_PREVIEW
    const JobRecord job = readable_job(caller, id);
    const std::vector<Paper> papers = journal_.papers(id);
    if (paper < 1 || paper > static_cast<int>(papers.size())) {
        throw ApiError(http_status::not_found, "job " + std::to_string(id) + " has " +
                                                   std::to_string(papers.size()) + " papers");
    }
    const PrinterPapers& printer = queues_.papers_of(job.printer);
    const std::lock_guard lock(drawing_);
    const auto receipt = tovprint::lay_out_receipt(papers[static_cast<std::size_t>(paper - 1)].text,
                                                   printer.profile(), printer.code_page());
    return tovprint::receipt_picture(receipt, tovprint::PictureFormat::Png);
#else
    throw ApiError(http_status::not_found, "this tovprintd was built without previews (cairo)");
#endif
}

}  // namespace tovprintd
