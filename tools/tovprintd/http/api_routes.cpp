#include "http/api_routes.hpp"

#include <charconv>

#include "access/request_origin.hpp"
#include "http/api_error.hpp"

namespace tovprintd {
namespace {

constexpr std::string_view jobs_path = "/v1/jobs";

HttpResponse json_response(const ApiAnswer& answer) {
    return HttpResponse{answer.status, "application/json", answer.body.dump(), {}};
}

HttpResponse error_json(const ApiError& error) {
    HttpResponse response{
        error.status(), "application/json", nlohmann::json{{"error", error.what()}}.dump(), {}};
    if (error.status() == http_status::unauthorized) {
        response.headers.emplace_back("WWW-Authenticate", "Bearer");
    }
    if (const auto seconds = error.retry_after_seconds()) {
        response.headers.emplace_back("Retry-After", std::to_string(*seconds));
    }
    return response;
}

[[noreturn]] void method_not_allowed(const HttpRequest& request, const char* allowed) {
    throw ApiError(http_status::method_not_allowed,
                   request.method + " " + request.path + " is not served (" + allowed + ")");
}

std::optional<std::int64_t> job_id(std::string_view text) {
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || text.size() > 18 || error != std::errc() ||
        end != text.data() + text.size() || id <= 0) {
        return std::nullopt;
    }
    return id;
}

std::optional<std::string> query_value(const HttpRequest& request, const char* key) {
    const auto found = request.query.find(key);
    if (found == request.query.end()) return std::nullopt;
    return found->second;
}

void reject_unknown_query(const HttpRequest& request,
                          std::initializer_list<std::string_view> known) {
    for (const auto& [key, value] : request.query) {
        bool is_known = false;
        for (const std::string_view name : known) is_known = is_known || key == name;
        if (!is_known) {
            throw ApiError(http_status::bad_request, "unknown query parameter '" + key + "'");
        }
    }
}

constexpr int largest_page = 1000;

int page_limit(const HttpRequest& request) {
    const auto text = query_value(request, "limit");
    if (!text) return largest_page;
    int limit = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), limit);
    if (error != std::errc() || end != text->data() + text->size() || limit < 1 ||
        limit > largest_page) {
        throw ApiError(http_status::bad_request, "limit must be a number from 1 to 1000");
    }
    return limit;
}

std::optional<std::int64_t> page_before(const HttpRequest& request) {
    const auto text = query_value(request, "before");
    if (!text) return std::nullopt;
    const auto id = job_id(*text);
    if (!id) throw ApiError(http_status::bad_request, "before must be a job id");
    return id;
}

int paper_number(const HttpRequest& request) {
    const auto text = query_value(request, "paper");
    if (!text) return 1;
    int paper = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), paper);
    if (error != std::errc() || end != text->data() + text->size() || paper < 1) {
        throw ApiError(http_status::bad_request, "paper must be a number from 1");
    }
    return paper;
}

}  // namespace

HttpResponse ApiRoutes::operator()(const HttpRequest& request) {
    try {
        return route(request);
    } catch (const ApiError& error) {
        return error_json(error);
    }
}

CallerConfig ApiRoutes::caller_of(const HttpRequest& request) const {
    if (!request.authorization) {
        throw ApiError(http_status::unauthorized,
                       "the header Authorization: Bearer TOKEN is required");
    }
    const auto token = bearer_token(*request.authorization);
    if (!token) {
        throw ApiError(http_status::unauthorized, "Authorization must be Bearer TOKEN");
    }
    auto caller = tokens_.caller_of(*token);
    if (!caller) throw ApiError(http_status::unauthorized, "the token is not one of a caller");
    return *caller;
}

HttpResponse ApiRoutes::route(const HttpRequest& request) {
    const std::string& path = request.path;
    if (path == "/v1/health") {
        if (request.method != "GET") method_not_allowed(request, "GET");
        return json_response({http_status::ok, nlohmann::json{{"status", "ok"}}});
    }
    if (!path.starts_with("/v1/")) {
        if (assets_ && (request.method == "GET" || request.method == "HEAD")) {
            if (auto asset = assets_(path)) return *asset;
        }
        throw ApiError(http_status::not_found, "nothing is served at " + path);
    }
    if (changes_state(request.method)) {
        if (const auto refusal = cross_origin_refusal(request)) {
            throw ApiError(http_status::forbidden, *refusal);
        }
    }
    const CallerConfig caller = caller_of(request);
    if (path == "/v1/whoami") {
        if (request.method != "GET") method_not_allowed(request, "GET");
        reject_unknown_query(request, {});
        return json_response(
            {http_status::ok,
             nlohmann::json{{"name", caller.name},
                            {"role", std::string(caller_role_name(caller.role))}}});
    }
    if (path == "/v1/printers") {
        if (request.method != "GET") method_not_allowed(request, "GET");
        reject_unknown_query(request, {});
        return json_response(jobs_.printers());
    }
    if (path == jobs_path) {
        if (request.method == "POST") {
            reject_unknown_query(request, {});
            return json_response(
                jobs_.submit(caller, request.idempotency_key.value_or(""), request.body));
        }
        if (request.method != "GET") method_not_allowed(request, "GET, POST");
        reject_unknown_query(request, {"state", "printer", "limit", "before"});
        return json_response(jobs_.jobs(caller, query_value(request, "state"),
                                        query_value(request, "printer"), page_limit(request),
                                        page_before(request)));
    }
    if (path.starts_with(std::string(jobs_path) + "/")) {
        return job_route(request, caller, path.substr(jobs_path.size() + 1));
    }
    throw ApiError(http_status::not_found, "nothing is served at " + path);
}

HttpResponse ApiRoutes::job_route(const HttpRequest& request, const CallerConfig& caller,
                                  const std::string& rest) {
    const auto slash = rest.find('/');
    const auto id = job_id(std::string_view(rest).substr(0, slash));
    if (!id) throw ApiError(http_status::not_found, "no job '" + rest.substr(0, slash) + "'");
    const std::string action = slash == std::string::npos ? "" : rest.substr(slash + 1);
    if (action.empty()) {
        reject_unknown_query(request, {});
        if (request.method == "GET") return json_response(jobs_.job(caller, *id));
        if (request.method == "DELETE") return json_response(jobs_.cancel(caller, *id));
        method_not_allowed(request, "GET, DELETE");
    }
    if (action == "reprint") {
        if (request.method != "POST") method_not_allowed(request, "POST");
        reject_unknown_query(request, {});
        return json_response(jobs_.reprint(caller, *id));
    }
    if (action == "preview.png") {
        if (request.method != "GET") method_not_allowed(request, "GET");
        reject_unknown_query(request, {"paper"});
        return HttpResponse{http_status::ok,
                            "image/png",
                            jobs_.preview_png(caller, *id, paper_number(request)),
                            {}};
    }
    throw ApiError(http_status::not_found, "nothing is served at " + request.path);
}

}  // namespace tovprintd
