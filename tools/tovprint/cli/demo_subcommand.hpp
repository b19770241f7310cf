#pragma once
// tovprint demo: every document of every document command, from the requests of the demo data
// folder, on the demo's clock unless --now says otherwise.

#include <string>

#include "cli/host_arguments.hpp"

namespace CLI {
class App;
}

namespace tovprint {

class DemoSubcommand {
public:
    explicit DemoSubcommand(CLI::App& app);
    DemoSubcommand(const DemoSubcommand&) = delete;
    DemoSubcommand& operator=(const DemoSubcommand&) = delete;

    // Runs what the parsed command line asks of this subcommand, if anything.
    void run_if_chosen() const;

private:
    void run() const;

    CLI::App* command_;
    std::string data_;
    HostArguments host_;
};

}  // namespace tovprint
