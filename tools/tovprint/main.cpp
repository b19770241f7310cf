// tovprint: a command-line host of the print-layout package. It plays the point-of-sale
// application: loads the package, registers a back-end that shows or saves every hand-off, and
// calls the print functions with the arguments of request files or of the demo.

#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "date_time_text.hpp"
#include "document_commands.hpp"
#include "file_bytes.hpp"
#include "host_run.hpp"
#include "library_location.hpp"
#include "lookup_command.hpp"
#include "packet_commands.hpp"
#include "profile_listing.hpp"
#include "shared_library.hpp"
#include "tov00000/tov00000.h"

namespace {

using namespace tovprint;

constexpr const char* hand_off_notation =
    "Hand-offs on the terminal: '>> Entry(arguments)', then the text converted from "
    "Windows-1252 to UTF-8 with control bytes as <CR> <LF> <TAB> <FF> <ESC> <NUL> or <0xNN> "
    "(each <LF> followed by a real line break), then '<< end of Entry text (N bytes)'.\n"
    "With --out FILE the exact bytes of every text handed off are written to FILE, plainly "
    "concatenated in the order of the calls with nothing between them (the pieces of a fiscal "
    "report add up to its whole text); entry points without text write nothing.\n"
    "With --printer the documents print for real, converted to the code page of the --profile "
    "(tovprint profiles), each paper cut; with --preview FILE each paper is drawn as a picture "
    "(FILE, then FILE-2, ...). --out, --printer and --preview may be given together.";

constexpr const char* demo_now = "2026-12-08 14:30";

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

    HostOptions options() const {
        HostOptions options;
        if (!library.empty()) options.library = library;
        if (!printers.empty()) options.printers = printers;
        if (!out.empty()) options.sinks.out = out;
        if (!printer.empty()) options.sinks.printer = printer;
        if (!profile.empty()) options.sinks.profile = profile;
        if (!preview.empty()) options.sinks.preview = preview;
        if (timeout_seconds > 0) {
            options.sinks.timeout =
                std::chrono::milliseconds(static_cast<long long>(timeout_seconds * 1000 + 0.5));
        }
        if (!now.empty()) options.now = parse_date_time(now);
        if (!exe_path.empty()) options.exe_path = exe_path;
        return options;
    }
};

void add_host_options(CLI::App& command, HostArguments& arguments, const char* now_help) {
    command.add_option("--library", arguments.library,
                       "the package library (default: $TOV_LIBRARY, else the one built with "
                       "tovprint)");
    command
        .add_option("--printers", arguments.printers,
                    "printer table file handed to the package as TOV_PRINTERS")
        ->check(CLI::ExistingFile);
    command.add_option("--out", arguments.out, "write the raw bytes of the hand-offs to this file");
    command.add_option("--now", arguments.now, now_help);
    command.add_option("--exe-path", arguments.exe_path,
                       "the host executable the package is told of; the PAF-ECF report reads "
                       "its digest files beside it (demo: DATA/paf/PLD.EXE)");
    command.add_option("--printer", arguments.printer,
                       "print for real: tcp://HOST[:PORT] (a network printer's raw port, 9100 "
                       "unless given) or file:PATH (a device such as /dev/usb/lp0, or a file)");
    command.add_option("--profile", arguments.profile,
                       "the printer's profile for --printer and --preview: a built-in name "
                       "(tovprint profiles) or a profile file NAME.json (default: escpos)");
    command.add_option("--preview", arguments.preview,
                       "draw each paper as a picture: FILE.png, .svg or .pdf; the second paper "
                       "goes to FILE-2.png, and so on");
    command
        .add_option("--timeout", arguments.timeout_seconds,
                    "seconds --printer waits for the printer to answer, to take more bytes and "
                    "to close the job (default 10)")
        ->check(CLI::Range(0.001, 3600.0));
    command.footer(hand_off_notation);
}

HostArguments demo_host_arguments() {
    HostArguments arguments;
    arguments.now = demo_now;
    return arguments;
}

struct PacketShow {
    std::string file;
};
struct PacketConvert {
    std::string source;
    std::string target;
};
struct Demo {
    std::string data = TOV_DEMO_DATA_DIR;
    HostArguments host = demo_host_arguments();
};
struct Print {
    std::string document;
    std::string request;
    HostArguments host;
};

struct Lookup {
    std::string name;
    std::vector<std::string> arguments;
    std::string library;
    std::string connection;
    std::string now;
    bool connection_given = false;

    LookupRequest request() const {
        LookupRequest request{name, arguments, std::nullopt, std::nullopt, std::nullopt};
        if (!library.empty()) request.library = library;
        if (connection_given) request.connection = connection;
        if (!now.empty()) request.now = parse_date_time(now);
        return request;
    }
};

std::vector<std::string> lookup_names() {
    std::vector<std::string> names;
    for (const auto& entry : lookup_entries()) names.emplace_back(entry.name);
    return names;
}

std::vector<std::string> document_names() {
    std::vector<std::string> names;
    for (const DocumentCommand* command : document_commands()) names.emplace_back(command->name);
    return names;
}

// The call of a request file; its packets are read beside it.
DocumentCall call_of_request(const DocumentCommand& command, const std::filesystem::path& request,
                             const std::string& origin) {
    return command.from_request(read_file_bytes(request), origin,
                                packet_files_beside(request.parent_path()));
}

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

void run_demo(const Demo& demo) {
    const std::vector<TitledCall> calls = demo_calls(demo.data);
    HostOptions options = demo.host.options();
    if (!options.exe_path) options.exe_path = std::filesystem::path(demo.data) / "paf" / "PLD.EXE";
    run_documents(options, calls, std::cout, std::cerr);
}

void run_print(const Print& print) {
    const DocumentCommand& command = document_command(print.document);
    const std::filesystem::path request(print.request);
    const auto options = print.host.options();
    auto call = call_of_request(command, request, request.filename().string());
    run_documents(
        options, {{std::string(command.export_name) + " (" + print.request + ")", std::move(call)}},
        std::cout, std::cerr);
}

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

    auto* packet = app.add_subcommand("packet", "inspect and convert data packet files");
    packet->require_subcommand(1);
    PacketShow show;
    auto* show_command = packet->add_subcommand(
        "show", "print a packet's fields and current rows as a table (UTF-8)");
    show_command->add_option("FILE", show.file, "binary or XML packet")->required();
    PacketConvert convert;
    auto* convert_command = packet->add_subcommand(
        "convert", "convert a packet: OUT ending in .xml gets XML, any other name binary");
    convert_command->add_option("IN", convert.source, "binary or XML packet")->required();
    convert_command->add_option("OUT", convert.target, "the file to write")->required();

    Demo demo;
    auto* demo_command = app.add_subcommand("demo", "print every document from the demo packets");
    demo_command->add_option("--data", demo.data, "folder of the demo requests and their packets")
        ->check(CLI::ExistingDirectory);
    add_host_options(*demo_command, demo.host,
                     "the clock of the package (default 2026-12-08 14:30)");

    Print print;
    auto* print_command =
        app.add_subcommand("print", "print one document with the arguments of a JSON request");
    print_command->add_option("DOCUMENT", print.document, "the document")
        ->required()
        ->check(CLI::IsMember(document_names()));
    print_command
        ->add_option("--request", print.request,
                     "JSON object whose keys are the print function's parameter names; a packet "
                     "is a file path relative to the request")
        ->required()
        ->check(CLI::ExistingFile);
    add_host_options(*print_command, print.host,
                     "the clock of the package, like 2026-12-08 14:30 (default: system clock)");

    Lookup lookup;
    auto* lookup_command = app.add_subcommand(
        "lookup", "call one sale lookup on the store database and print its answer");
    lookup_command->add_option("NAME", lookup.name, "the lookup")
        ->required()
        ->transform(CLI::IsMember(lookup_names(), CLI::ignore_case));
    lookup_command->add_option("ARGS", lookup.arguments, "the lookup's arguments, in order");
    lookup_command->add_option("--library", lookup.library,
                               "the package library (default: $TOV_LIBRARY, else the one built "
                               "with tovprint)");
    auto* connection_option = lookup_command->add_option(
        "--connection", lookup.connection,
        "the connection string the package gets from GetStringConexPld (default: "
        "$TOV_CONNECTION, else the demo store)");
    lookup_command->add_option("--now", lookup.now,
                               "the clock of the package, like 2026-12-08 14:30 (default: "
                               "system clock)");
    lookup_command->footer(lookup_usage());

    auto* profiles_command =
        app.add_subcommand("profiles", "list the built-in printer profiles of --profile");

    CLI11_PARSE(app, argc, argv);

    if (*profiles_command) list_printer_profiles(std::cout);
    if (*show_command) show_packet_file(show.file, std::cout);
    if (*convert_command) convert_packet_file(convert.source, convert.target);
    if (*demo_command) run_demo(demo);
    if (*print_command) run_print(print);
    if (*lookup_command) {
        lookup.connection_given = connection_option->count() > 0;
        run_lookup(lookup.request(), std::cout);
    }
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
