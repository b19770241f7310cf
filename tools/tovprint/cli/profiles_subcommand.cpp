#include "cli/profiles_subcommand.hpp"

#include <iostream>

#include <CLI/CLI.hpp>

#include "printer/profile_listing.hpp"

namespace tovprint {

ProfilesSubcommand::ProfilesSubcommand(CLI::App& app)
    : command_(app.add_subcommand("profiles", "list the built-in printer profiles of --profile")) {}

void ProfilesSubcommand::run_if_chosen() const {
    if (*command_) list_printer_profiles(std::cout);
}

}  // namespace tovprint
