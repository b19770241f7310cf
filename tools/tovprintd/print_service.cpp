#include "print_service.hpp"

#include "console/console_assets.hpp"

namespace tovprintd {
namespace {

HttpLimits limits_of(const ServiceConfig& config) {
    HttpLimits limits;
    limits.max_body_bytes = config.max_body_bytes;
    return limits;
}

}  // namespace

PrintService::PrintService(const ServiceConfig& config, std::ostream& log)
    : log_(log),
      journal_(config.journal),
      composer_(config.package),
      queues_(config.printers, journal_, log_),
      tokens_(config.callers),
      jobs_(journal_, composer_, queues_, log_, config.queue_limit),
      routes_(tokens_, jobs_, console_assets()) {
    for (const std::int64_t id : journal_.settle_interrupted_jobs()) {
        if (const auto job = journal_.find(id)) {
            log_.job(*job, JobState::Unconfirmed, "the service stopped while it was being sent");
        }
    }
    queues_.start();
    server_ = std::make_unique<HttpServer>(
        config.listen, config.tls, limits_of(config),
        [this](const HttpRequest& request) { return routes_(request); });
    if (!config.listen.loopback && !config.tls) {
        log_.note("warning: listening on " + config.listen.text +
                  " beyond this machine without TLS: tokens cross the network in clear");
    }
}

PrintService::~PrintService() {
    stop();
}

void PrintService::stop() {
    if (server_) server_->stop();
    queues_.stop();
}

}  // namespace tovprintd
