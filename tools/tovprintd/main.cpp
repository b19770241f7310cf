// tovprintd: the store's print service. Tills and handhelds submit documents over HTTP; each is
// composed at once through the package, kept in a journal until its printer took it, and printed
// by one writer per printer.

#include <csignal>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "config/service_config.hpp"
#include "print_service.hpp"

namespace {

using namespace tovprintd;

// SIGTERM and SIGINT are taken by sigwait in the main thread only: every thread the service
// starts inherits the mask.
sigset_t stop_signals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

int serve(const std::string& config_file) {
    const ServiceConfig config = load_service_config(config_file);
    const sigset_t signals = stop_signals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    PrintService service(config, std::cerr);
    std::cerr << "tovprintd: listening on " << (config.tls ? "https" : "http") << "://"
              << config.listen.text.substr(0, config.listen.text.rfind(':')) << ':'
              << service.port() << std::endl;
    int received = 0;
    sigwait(&signals, &received);
    std::cerr << "tovprintd: stopping (" << (received == SIGTERM ? "SIGTERM" : "SIGINT")
              << "): the jobs in progress finish first" << std::endl;
    service.stop();
    std::cerr << "tovprintd: stopped" << std::endl;
    return 0;
}

int run(int argc, char** argv) {
    CLI::App app{
        "tovprintd: the store's print service (HTTP API, journal, one writer per printer)"};
    std::string config_file;
    std::string check_file;
    auto* config_option =
        app.add_option("--config", config_file, "the configuration file (JSON) to serve with");
    auto* check_option = app.add_option("--check-config", check_file,
                                        "check a configuration file and say what is wrong");
    config_option->excludes(check_option);
    app.footer(
        "The configuration: {\"listen\": \"127.0.0.1:8631\", \"journal\": FILE, \"callers\": "
        "[{\"name\", \"token_sha256\", \"role\": \"till\"|\"manager\"}], \"tls\": "
        "{\"certificate\", \"key\"}, \"printers\": {NAME: {\"address\", \"profile\", "
        "\"backup\", \"timeout\"}}, \"package\": {\"connection\", \"exe_path\", \"now\", "
        "\"library\"}, \"queue_limit\", \"max_body_bytes\"}. See README.md.");
    CLI11_PARSE(app, argc, argv);
    if (!check_file.empty()) {
        load_service_config(check_file);
        std::cout << check_file << ": the configuration is valid\n";
        return 0;
    }
    if (config_file.empty()) {
        std::cerr << "tovprintd: --config FILE is required (--help tells more)\n";
        return 1;
    }
    return serve(config_file);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "tovprintd: " << error.what() << '\n';
        return 1;
    }
}
