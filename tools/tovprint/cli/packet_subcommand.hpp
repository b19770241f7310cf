#pragma once
// tovprint packet show FILE | packet convert IN OUT: a data packet file shown as a table, or
// converted between binary and XML.

#include <string>

namespace CLI {
class App;
}

namespace tovprint {

class PacketSubcommand {
public:
    explicit PacketSubcommand(CLI::App& app);
    PacketSubcommand(const PacketSubcommand&) = delete;
    PacketSubcommand& operator=(const PacketSubcommand&) = delete;

    // Runs what the parsed command line asks of this subcommand, if anything.
    void run_if_chosen() const;

private:
    CLI::App* show_command_;
    CLI::App* convert_command_;
    std::string show_file_;
    std::string convert_source_;
    std::string convert_target_;
};

}  // namespace tovprint
