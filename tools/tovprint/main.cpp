// tovprint: a command-line host of the print-layout package. It plays the point-of-sale
// application: loads the package, registers a back-end that shows or saves every hand-off, and
// calls the print functions with the arguments of request files or of the demo.
// Each subcommand is one cli/<name>_subcommand.{hpp,cpp} pair; this file only wires them.

#include <exception>
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/demo_subcommand.hpp"
#include "cli/lookup_subcommand.hpp"
#include "cli/packet_subcommand.hpp"
#include "cli/print_subcommand.hpp"
#include "cli/profiles_subcommand.hpp"

namespace {

using namespace tovprint;

int run(int argc, char** argv) {
    CLI::App app{"tovprint: a command-line host of the print-layout package"};
    app.require_subcommand(1);
    PacketSubcommand packet(app);
    DemoSubcommand demo(app);
    PrintSubcommand print(app);
    LookupSubcommand lookup(app);
    ProfilesSubcommand profiles(app);

    CLI11_PARSE(app, argc, argv);

    profiles.run_if_chosen();
    packet.run_if_chosen();
    demo.run_if_chosen();
    print.run_if_chosen();
    lookup.run_if_chosen();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "tovprint: " << error.what() << '\n';
        return 1;
    }
}
