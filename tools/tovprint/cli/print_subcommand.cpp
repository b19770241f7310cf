#include "cli/print_subcommand.hpp"

#include <filesystem>
#include <iostream>
#include <vector>

#include <CLI/CLI.hpp>

#include "documents/document_commands.hpp"
#include "documents/request_file_call.hpp"

namespace tovprint {

namespace {

std::vector<std::string> document_names() {
    std::vector<std::string> names;
    for (const DocumentCommand* command : document_commands()) names.emplace_back(command->name);
    return names;
}

}  // namespace

PrintSubcommand::PrintSubcommand(CLI::App& app) {
    command_ =
        app.add_subcommand("print", "print one document with the arguments of a JSON request");
    command_->add_option("DOCUMENT", document_, "the document")
        ->required()
        ->check(CLI::IsMember(document_names()));
    command_
        ->add_option("--request", request_,
                     "JSON object whose keys are the print function's parameter names; a packet "
                     "is a file path relative to the request")
        ->required()
        ->check(CLI::ExistingFile);
    add_host_options(*command_, host_,
                     "the clock of the package, like 2026-12-08 14:30 (default: system clock)");
}

void PrintSubcommand::run_if_chosen() const {
    if (*command_) run();
}

void PrintSubcommand::run() const {
    const DocumentCommand& command = document_command(document_);
    const std::filesystem::path request(request_);
    const auto options = host_.options();
    auto call = call_of_request(command, request, request.filename().string());
    run_documents(options,
                  {{std::string(command.export_name) + " (" + request_ + ")", std::move(call)}},
                  std::cout, std::cerr);
}

}  // namespace tovprint
