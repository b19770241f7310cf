#pragma once
// tovprint status --printer ADDRESS [--profile NAME] [--timeout S] [--json]: asks the printer
// about itself and tells what it answered, one line a fact (or one JSON object). The exit status
// is the verdict: 0 the printer can print, 1 it cannot, 2 it does not answer status requests
// (status unknown, never taken for on line).

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tovprint {

inline constexpr int can_print_status = 0;
inline constexpr int cannot_print_status = 1;
inline constexpr int status_unknown_status = 2;

class StatusSubcommand {
public:
    explicit StatusSubcommand(CLI::App& app);
    StatusSubcommand(const StatusSubcommand&) = delete;
    StatusSubcommand& operator=(const StatusSubcommand&) = delete;

    // The exit status when the parsed command line chose this subcommand.
    std::optional<int> run_if_chosen() const;

private:
    CLI::App* command_;
    std::string printer_;
    std::string profile_;
    double timeout_seconds_ = 0;
    bool json_ = false;
};

}  // namespace tovprint
