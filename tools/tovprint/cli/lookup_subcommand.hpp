#pragma once
// tovprint lookup NAME [ARGS...]: one sale lookup of the package on the store database.

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace tovprint {

class LookupSubcommand {
public:
    explicit LookupSubcommand(CLI::App& app);
    LookupSubcommand(const LookupSubcommand&) = delete;
    LookupSubcommand& operator=(const LookupSubcommand&) = delete;

    // Runs what the parsed command line asks of this subcommand, if anything.
    void run_if_chosen() const;

private:
    void run() const;

    CLI::App* command_;
    CLI::Option* connection_option_;
    std::string name_;
    std::vector<std::string> arguments_;
    std::string library_;
    std::string connection_;
    std::string now_;
};

}  // namespace tovprint
