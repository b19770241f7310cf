// tovprint: a command-line host of the print-layout package. It plays the point-of-sale
// application: loads the package, registers a back-end that shows or saves every hand-off, and
// calls the print functions with the arguments of request files or of the demo.
// Each subcommand is one cli/<name>_subcommand.{hpp,cpp} pair; this file only wires them.

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

#include <CLI/CLI.hpp>

#include "cli/demo_subcommand.hpp"
#include "cli/lookup_subcommand.hpp"
#include "cli/packet_subcommand.hpp"
#include "cli/print_subcommand.hpp"
#include "cli/profiles_subcommand.hpp"
#include "cli/status_subcommand.hpp"
#include "host/library_location.hpp"
#include "os/shared_library.hpp"
#include "tov00000/tov00000.h"

namespace {

using namespace tovprint;

constexpr int failure_status = 1;
constexpr int usage_error_status = failure_status;

// tovprint's own version (that of the header it was built with) and the library's, as found.
std::string version_text() {
    std::string text = "tovprint " TOV_VERSION_STRING "\n";
    try {
        const SharedLibrary library(package_library_path(std::nullopt));
        text += "library " +
                std::string(library.function<decltype(&Tov_VersionString)>("Tov_VersionString")()) +
                " (" + library.path().string() + ")";
    } catch (const std::exception& error) {
        text += "library not loaded: " + std::string(error.what());
    }
    return text;
}

int run(int argc, char** argv) {
    CLI::App app{"tovprint: a command-line host of the print-layout package"};
    app.set_version_flag("--version", version_text,
                         "print tovprint's version and that of the library it would load");
    app.require_subcommand(1);
    PacketSubcommand packet(app);
    DemoSubcommand demo(app);
    PrintSubcommand print(app);
    LookupSubcommand lookup(app);
    ProfilesSubcommand profiles(app);
    StatusSubcommand status(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help answers 0; a usage error is CLI11's message on standard error and status 1.
        return app.exit(error) == 0 ? 0 : usage_error_status;
    }

    profiles.run_if_chosen();
    if (const auto verdict = status.run_if_chosen()) return *verdict;
    packet.run_if_chosen();
    demo.run_if_chosen();
    print.run_if_chosen();
    lookup.run_if_chosen();
    return 0;
}

}  // namespace

// Every failure, a usage error included, ends tovprint with this status and one line on
// standard error; running out of memory too, wherever it happens (parsing the arguments, reading,
// composing, drawing), and the temporary files made so far are removed as the stack unwinds.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::fputs("tovprint: out of memory\n", stderr);
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "tovprint: " << error.what() << '\n';
    } catch (...) {
        std::cout.flush();
        std::fputs("tovprint: unexpected failure\n", stderr);
    }
    return failure_status;
}
