#include "handoff/printer_sink.hpp"

#include "handoff/paper_end.hpp"
#include "platform/text/cp1252.hpp"
#include "printer/printer_answers.hpp"
#include "printer/transport/printer_error.hpp"

namespace tovprint {
namespace {

std::string character_text(unsigned char byte) {
    const char character = static_cast<char>(byte);
    return tov::text::cp1252_to_utf8(std::string_view(&character, 1));
}

}  // namespace

PrinterSink::PrinterSink(std::unique_ptr<PrinterPort> port, std::string where,
                         PrinterProfile profile, CodePage code_page,
                         std::chrono::milliseconds timeout, std::ostream& log,
                         std::ostream& warnings)
    : port_(std::move(port)),
      where_(std::move(where)),
      profile_(std::move(profile)),
      code_page_(std::move(code_page)),
      timeout_(timeout),
      deadline_(std::chrono::steady_clock::now() + timeout),
      log_(log),
      warnings_(warnings) {}

void PrinterSink::receive(const HandOff& hand_off) {
    std::string note;
    if (hand_off.text) {
        const PrinterText text = printer_text(*hand_off.text, profile_.bold, code_page_);
        write(text.bytes);
        paper_open_ = true;
        note = ": " + std::to_string(text.bytes.size()) + " bytes to " + where_;
        warn_of(text);
    }
    if (ends_paper(hand_off) && paper_open_) {
        cut();
        note += note.empty() ? ": paper cut" : ", paper cut";
    }
    if (!note.empty()) notes_.push_back(hand_off.entry_point + note);
}

void PrinterSink::finish() {
    if (paper_open_) cut();
    confirm();
}

// The job is told printed only once the printer answered the request sent after its last cut;
// a printer that should answer and does not leaves the job unconfirmed, a failure.
void PrinterSink::confirm() {
    const JobConfirmation confirmation =
        started_ ? confirm_job(*port_, profile_, new_job_number(), deadline_)
                 : JobConfirmation::SentNotConfirmed;
    if (confirmation == JobConfirmation::NotConfirmed) {
        throw PrinterError("printer " + where_ +
                           ": sent whole; the printer did not confirm it printed (within " +
                           seconds_text(timeout_) + ")");
    }
    port_->finish();
    for (const std::string& note : notes_) log_ << note << '\n';
    log_ << "printer " << where_ << " took " << written_ << " bytes, " << papers_
         << (papers_ == 1 ? " paper" : " papers") << " (profile " << profile_.name << ", "
         << code_page_.name() << ")\n";
    log_ << "printer " << where_ << ": " << job_confirmation_text(confirmation) << '\n';
}

// Nothing goes to a printer that says it cannot print; one whose status is unknown is tried.
void PrinterSink::check_printer() {
    if (profile_.status == StatusMethod::None || port_->status_connection() == nullptr) return;
    const auto limit = std::min(timeout_, status_answer_limit);
    const PrinterReading reading = read_printer_status(*port_, profile_, limit);
    if (reading.verdict.verdict == status::Verdict::CannotPrint) {
        throw PrinterError("printer " + where_ + " cannot print: " +
                           reasons_text(reading.verdict.reasons) + "; nothing was sent");
    }
    if (reading.verdict.verdict == status::Verdict::Unknown) {
        warn("status unknown", "status unknown (" + reasons_text(reading.verdict.reasons) +
                                   "): the job is sent all the same");
    }
    for (const std::string& warning : reading.verdict.warnings) warn(warning, warning);
}

void PrinterSink::write(std::string_view bytes) {
    if (!started_) {
        check_printer();
        const std::string prologue = profile_.prologue();
        port_->write(prologue);
        written_ += prologue.size();
        started_ = true;
    }
    port_->write(bytes);
    written_ += bytes.size();
}

void PrinterSink::cut() {
    write(profile_.cut);
    paper_open_ = false;
    ++papers_;
}

void PrinterSink::warn_of(const PrinterText& text) {
    for (const unsigned char byte : text.lacking) {
        const std::string character = character_text(byte);
        warn("lacks " + character, code_page_.name() + " lacks '" + character + "': printed as '" +
                                       code_page_.printed(byte) + "'");
    }
    for (const std::string& command : text.unknown_commands) {
        warn("command " + command,
             "the text holds " + command + ", which is no command of the " +
                 std::string(bold_family_name(profile_.bold)) + " bold family of profile " +
                 profile_.name + ": is it the profile of the printer kind? (tovprint profiles)");
    }
    if (text.widest_line > profile_.width()) {
        warn("wide lines",
             "lines of " + std::to_string(text.widest_line) + " characters are wider than the " +
                 std::to_string(profile_.width()) + " columns of font " + profile_.font +
                 " of profile " + profile_.name + ": the printer wraps them");
    }
}

void PrinterSink::warn(const std::string& key, const std::string& message) {
    if (warned_.insert(key).second) {
        warnings_ << "tovprint: warning: printer " << where_ << ": " << message << '\n';
    }
}

}  // namespace tovprint
