#include "cli/demo_subcommand.hpp"

#include <filesystem>
#include <iostream>
#include <vector>

#include <CLI/CLI.hpp>

#include "documents/document_commands.hpp"
#include "documents/request_file_call.hpp"

namespace tovprint {

namespace {

constexpr const char* demo_now = "2026-12-08 14:30";

// A demo entry's heading: its title and the print function it calls.
std::string demo_title(const DocumentCommand& command, const DemoEntry& entry) {
    return std::string(entry.title) + " (" + std::string(command.export_name) + ")";
}

// Every demo entry of every document command, in order, from the requests of the data folder.
std::vector<TitledCall> demo_calls(const std::filesystem::path& data_folder) {
    std::vector<TitledCall> calls;
    for (const DocumentCommand* command : document_commands()) {
        for (const DemoEntry& entry : command->demo) {
            const std::filesystem::path request = data_folder / entry.request_file;
            DocumentCall call = call_of_request(*command, request, request.string());
            calls.push_back({demo_title(*command, entry), std::move(call)});
        }
    }
    return calls;
}

}  // namespace

DemoSubcommand::DemoSubcommand(CLI::App& app) : data_(TOV_DEMO_DATA_DIR) {
    host_.now = demo_now;
    command_ = app.add_subcommand("demo", "print every document from the demo packets");
    command_->add_option("--data", data_, "folder of the demo requests and their packets")
        ->check(CLI::ExistingDirectory);
    add_host_options(*command_, host_, "the clock of the package (default 2026-12-08 14:30)");
}

void DemoSubcommand::run_if_chosen() const {
    if (*command_) run();
}

void DemoSubcommand::run() const {
    const std::vector<TitledCall> calls = demo_calls(data_);
    HostOptions options = host_.options();
    if (!options.exe_path) options.exe_path = std::filesystem::path(data_) / "paf" / "PLD.EXE";
    run_documents(options, calls, std::cout, std::cerr);
}

}  // namespace tovprint
