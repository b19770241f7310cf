#include "cli/lookup_subcommand.hpp"

#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/date_time_text.hpp"
#include "documents/lookup_command.hpp"

namespace tovprint {

namespace {

std::vector<std::string> lookup_names() {
    std::vector<std::string> names;
    for (const auto& entry : lookup_entries()) names.emplace_back(entry.name);
    return names;
}

}  // namespace

LookupSubcommand::LookupSubcommand(CLI::App& app) {
    command_ = app.add_subcommand(
        "lookup", "call one sale lookup on the store database and print its answer");
    command_->add_option("NAME", name_, "the lookup")
        ->required()
        ->transform(CLI::IsMember(lookup_names(), CLI::ignore_case));
    command_->add_option("ARGS", arguments_, "the lookup's arguments, in order");
    command_->add_option("--library", library_,
                         "the package library (default: $TOV_LIBRARY, else the one built "
                         "with tovprint)");
    connection_option_ = command_->add_option(
        "--connection", connection_,
        "the connection string the package gets from GetStringConexPld (default: "
        "$TOV_CONNECTION, else the demo store)");
    command_->add_option("--now", now_,
                         "the clock of the package, like 2026-12-08 14:30 (default: "
                         "system clock)");
    command_->footer(lookup_usage());
}

void LookupSubcommand::run_if_chosen() const {
    if (*command_) run();
}

void LookupSubcommand::run() const {
    LookupRequest request{name_, arguments_, std::nullopt, std::nullopt, std::nullopt};
    if (!library_.empty()) request.library = library_;
    if (connection_option_->count() > 0) request.connection = connection_;
    if (!now_.empty()) request.now = parse_date_time(now_);
    run_lookup(request, std::cout);
}

}  // namespace tovprint
