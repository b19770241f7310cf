#include "cli/status_subcommand.hpp"

#include <iostream>

#include <CLI/CLI.hpp>

#include "host/hand_off_sinks.hpp"
#include "printer/printer_answers.hpp"
#include "printer/printer_profiles.hpp"
#include "printer/status/status_json.hpp"
#include "printer/transport/printer_address.hpp"

namespace tovprint {
namespace {

using status::Verdict;

void line_if(std::ostream& out, bool condition, const char* fact) {
    if (condition) out << fact << '\n';
}

// One line a fact the printer answered; a read it did not answer is not guessed at.
void print_facts(std::ostream& out, const status::PrinterStatus& facts) {
    if (const auto printer = facts.printer()) {
        out << (printer->off_line ? "off line" : "on line") << '\n';
        line_if(out, printer->drawer_pin_3_high, "drawer: pin 3 high");
        line_if(out, printer->waiting_for_recovery, "waiting for recovery");
    }
    if (const auto cause = facts.off_line_cause()) {
        line_if(out, cause->cover_open, "cover open");
        line_if(out, cause->stopped_by_paper_end, "stopped at the paper end");
        line_if(out, cause->error, "error");
    }
    if (const auto error = facts.error_cause()) {
        line_if(out, error->recoverable_error, "recoverable error");
        line_if(out, error->cutter_error, "cutter error");
        line_if(out, error->unrecoverable_error, "unrecoverable error");
        line_if(out, error->auto_recoverable_error, "auto-recoverable error");
    }
    if (const auto paper = facts.roll_paper()) {
        line_if(out, paper->paper_end, "paper end");
        line_if(out, paper->near_end && !paper->paper_end, "paper near end");
    }
}

int exit_status(Verdict verdict) {
    switch (verdict) {
        case Verdict::CanPrint:
            return can_print_status;
        case Verdict::CannotPrint:
            return cannot_print_status;
        case Verdict::Unknown:
            break;
    }
    return status_unknown_status;
}

}  // namespace

StatusSubcommand::StatusSubcommand(CLI::App& app)
    : command_(app.add_subcommand(
          "status",
          "ask a printer whether it can print: exit status 0 it can, 1 it cannot, 2 "
          "it does not answer status requests")) {
    command_
        ->add_option("--printer", printer_,
                     "the printer: tcp://HOST[:PORT] (a network printer's raw port, 9100 unless "
                     "given) or file:PATH (a device)")
        ->required();
    command_->add_option("--profile", profile_,
                         "the printer's profile, a built-in name or a JSON file (default " +
                             std::string(default_profile_name) + ")");
    command_
        ->add_option("--timeout", timeout_seconds_,
                     "seconds to connect and to wait for each answer (default 10)")
        ->check(CLI::PositiveNumber);
    command_->add_flag("--json", json_, "print the facts as one JSON object");
}

std::optional<int> StatusSubcommand::run_if_chosen() const {
    if (!*command_) return std::nullopt;
    const PrinterAddress address = parse_printer_address(printer_);
    PrinterProfile profile =
        find_printer_profile(profile_.empty() ? std::string(default_profile_name) : profile_);
    // A profile that knows no status method is asked all the same: the user asks this printer.
    profile.status = StatusMethod::EscPos;
    const auto timeout =
        timeout_seconds_ > 0
            ? std::chrono::milliseconds(static_cast<long long>(timeout_seconds_ * 1000 + 0.5))
            : default_printer_timeout;
    const auto port = open_printer_port(address, timeout);
    const PrinterReading reading = read_printer_status(*port, profile, timeout);
    if (json_) {
        nlohmann::json answer = status::status_json(reading.status, reading.verdict);
        answer["printer"] = address.text;
        std::cout << answer.dump() << '\n';
    } else {
        print_facts(std::cout, reading.status);
        std::cout << status::verdict_name(reading.verdict.verdict);
        if (!reading.verdict.reasons.empty()) {
            std::string reasons;
            for (const auto& reason : reading.verdict.reasons) {
                reasons += (reasons.empty() ? "" : ", ") + reason;
            }
            std::cout << ": " << reasons;
        }
        std::cout << '\n';
        for (const auto& warning : reading.verdict.warnings)
            std::cout << "warning: " << warning << '\n';
    }
    return exit_status(reading.verdict.verdict);
}

}  // namespace tovprint
