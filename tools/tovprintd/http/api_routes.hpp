#pragma once
// The API's routes: which method and path do what, who may call them, and the JSON answers.
//
//   GET    /v1/health                 no token
//   GET    /v1/whoami                 the caller's name and role
//   POST   /v1/jobs                   Idempotency-Key required
//   GET    /v1/jobs?state=S&printer=P&limit=N&before=ID
//                                     a till sees its own jobs, a manager every one, newest
//                                     first, 1000 a page unless limit says; next_before names
//                                     the next page
//   GET    /v1/jobs/ID
//   DELETE /v1/jobs/ID                manager: cancels a queued job
//   POST   /v1/jobs/ID/reprint        manager
//   GET    /v1/jobs/ID/preview.png    ?paper=N (1 unless given)
//   GET    /v1/printers
//
// A request that changes something is refused (403) when a browser says another site's page
// made it (see request_origin.hpp).
//
// Every other path is asked of the static assets first (the console's page and its files, when
// the service carries them), then answered 404.

#include <functional>
#include <optional>
#include <string>

#include "access/caller_tokens.hpp"
#include "http/http_server.hpp"
#include "jobs/job_service.hpp"

namespace tovprintd {

// Files served as they are, by path; nothing for a path they do not hold.
using StaticAssets = std::function<std::optional<HttpResponse>(const std::string& path)>;

class ApiRoutes {
public:
    ApiRoutes(const CallerTokens& tokens, JobService& jobs, StaticAssets assets = nullptr)
        : tokens_(tokens), jobs_(jobs), assets_(std::move(assets)) {}

    HttpResponse operator()(const HttpRequest& request);

private:
    HttpResponse route(const HttpRequest& request);
    HttpResponse job_route(const HttpRequest& request, const CallerConfig& caller,
                           const std::string& rest);
    CallerConfig caller_of(const HttpRequest& request) const;

    const CallerTokens& tokens_;
    JobService& jobs_;
    StaticAssets assets_;
};

}  // namespace tovprintd
