#include "cli/host_arguments.hpp"

#include <chrono>

#include <CLI/CLI.hpp>

#include "cli/date_time_text.hpp"

namespace tovprint {

namespace {

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

}  // namespace

HostOptions HostArguments::options() const {
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
                    "seconds --printer may take for the whole job: connecting, sending it and "
                    "the printer's closing (default 10)")
        ->check(CLI::Range(0.001, 3600.0));
    command.footer(hand_off_notation);
}

}  // namespace tovprint
