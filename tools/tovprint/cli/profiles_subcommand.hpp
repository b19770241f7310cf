#pragma once
// tovprint profiles: the built-in printer profiles that --profile names.

namespace CLI {
class App;
}

namespace tovprint {

class ProfilesSubcommand {
public:
    explicit ProfilesSubcommand(CLI::App& app);
    ProfilesSubcommand(const ProfilesSubcommand&) = delete;
    ProfilesSubcommand& operator=(const ProfilesSubcommand&) = delete;

    // Runs what the parsed command line asks of this subcommand, if anything.
    void run_if_chosen() const;

private:
    CLI::App* command_;
};

}  // namespace tovprint
