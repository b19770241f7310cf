#pragma once
// tovprint print DOCUMENT --request FILE: one document with the arguments of a JSON request.

#include <string>

#include "cli/host_arguments.hpp"

namespace CLI {
class App;
}

namespace tovprint {

class PrintSubcommand {
public:
    explicit PrintSubcommand(CLI::App& app);
    PrintSubcommand(const PrintSubcommand&) = delete;
    PrintSubcommand& operator=(const PrintSubcommand&) = delete;

    // Runs what the parsed command line asks of this subcommand, if anything.
    void run_if_chosen() const;

private:
    void run() const;

    CLI::App* command_;
    std::string document_;
    std::string request_;
    HostArguments host_;
};

}  // namespace tovprint
