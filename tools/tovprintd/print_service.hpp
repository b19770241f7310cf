#pragma once
// The whole service from its configuration: the journal (with the jobs a stop interrupted while
// sending settled as unconfirmed), the package, one writer per printer, and the API's server.
// Stopping takes no more requests, answers those in progress, lets each writer finish its job
// in progress, and ends.

#include <cstdint>
#include <memory>
#include <ostream>

#include "access/caller_tokens.hpp"
#include "config/service_config.hpp"
#include "http/api_routes.hpp"
#include "http/http_server.hpp"
#include "jobs/document_composer.hpp"
#include "jobs/job_log.hpp"
#include "jobs/job_service.hpp"
#include "journal/journal.hpp"
#include "printing/print_queues.hpp"

namespace tovprintd {

class PrintService {
public:
    PrintService(const ServiceConfig& config, std::ostream& log);
    ~PrintService();
    PrintService(const PrintService&) = delete;
    PrintService& operator=(const PrintService&) = delete;

    std::uint16_t port() const { return server_->port(); }
    void stop();

private:
    JobLog log_;
    Journal journal_;
    DocumentComposer composer_;
    PrintQueues queues_;
    CallerTokens tokens_;
    JobService jobs_;
    ApiRoutes routes_;
    std::unique_ptr<HttpServer> server_;
};

}  // namespace tovprintd
