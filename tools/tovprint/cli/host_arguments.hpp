#pragma once
// The options of the subcommands that run documents as a host (demo, print): the library, the
// package's clock and where the hand-offs go, as typed on the command line.

#include <string>

#include "host/host_run.hpp"

namespace CLI {
class App;
}

namespace tovprint {

struct HostArguments {
    std::string library;
    std::string printers;
    std::string out;
    std::string now;
    std::string exe_path;
    std::string printer;
    std::string profile;
    std::string preview;
    double timeout_seconds = 0;

    HostOptions options() const;
};

// Adds --library, --printers, --out, --now (described by now_help), --exe-path, --printer,
// --profile, --preview and --timeout to `command`, and the notation of the hand-offs to its help.
void add_host_options(CLI::App& command, HostArguments& arguments, const char* now_help);

}  // namespace tovprint
