#include <algorithm>
#include <optional>
#include <vector>

#include "platform/errors/errors.hpp"
#include "printer/printer_answers.hpp"
#include "printer/transport/printer_address.hpp"
#include "printer/transport/printer_error.hpp"
#include "printer/transport/printer_port.hpp"
#include "printing/printer_link.hpp"

namespace tovprintd {
namespace {

class PortPrinterLink final : public PrinterLink {
public:
    explicit PortPrinterLink(const PrinterConfig& printer)
        : address_(tovprint::parse_printer_address(printer.address)),
          profile_(printer.profile),
          timeout_(printer.timeout) {}

    // A printer whose profile has a status method is asked over a connection of its own. Else,
    // while the last way to the printer failed, another is tried (and closed at once) to see
    // whether it is back.
    PrinterStatus status() override {
        if (profile_.status != tovprint::StatusMethod::None) return asked_status();
        if (!last_failure_) return {PrinterCondition::Unknown, ""};
        try {
            tovprint::open_printer_port(address_, timeout_);
            last_failure_.reset();
            return {PrinterCondition::Unknown, ""};
        } catch (const std::exception& error) {
            last_failure_ = error.what();
            return {PrinterCondition::Cannot, *last_failure_};
        }
    }

    PrinterStatus open_job() override {
        try {
            port_ = tovprint::open_printer_port(address_, timeout_);
            last_failure_.reset();
            if (profile_.status == tovprint::StatusMethod::None) {
                return {PrinterCondition::Unknown, ""};
            }
            return status_over(*port_);
        } catch (const std::exception& error) {
            port_.reset();
            last_failure_ = error.what();
            throw;
        }
    }

    void send_paper(std::string_view bytes) override { port().write(bytes); }

    Confirmation confirm() override {
        auto port = std::move(port_);
        if (port == nullptr) throw tov::Error("no job is open on the printer");
        const auto answer = tovprint::confirm_job(*port, profile_, tovprint::new_job_number(),
                                                  std::chrono::steady_clock::now() + timeout_);
        if (answer == tovprint::JobConfirmation::NotConfirmed) return Confirmation::NotConfirmed;
        port->finish();
        return answer == tovprint::JobConfirmation::Printed ? Confirmation::Printed
                                                            : Confirmation::SentNotConfirmed;
    }

    void abandon() override { port_.reset(); }

private:
    PrinterStatus asked_status() {
        try {
            const auto port = tovprint::open_printer_port(address_, timeout_);
            const PrinterStatus status = status_over(*port);
            last_failure_.reset();
            return status;
        } catch (const std::exception& error) {
            last_failure_ = error.what();
            return {PrinterCondition::Cannot, *last_failure_};
        }
    }

    // Throws tovprint::PrinterError when the printer drops the connection meanwhile.
    PrinterStatus status_over(tovprint::PrinterPort& port) const {
        const auto reading = tovprint::read_printer_status(
            port, profile_, std::min(timeout_, tovprint::status_answer_limit));
        return {condition_of(reading.verdict.verdict),
                tovprint::reasons_text(reading.verdict.reasons)};
    }

    static PrinterCondition condition_of(tovprint::status::Verdict verdict) {
        switch (verdict) {
            case tovprint::status::Verdict::CanPrint:
                return PrinterCondition::CanPrint;
            case tovprint::status::Verdict::CannotPrint:
                return PrinterCondition::Cannot;
            case tovprint::status::Verdict::Unknown:
                break;
        }
        return PrinterCondition::Unknown;
    }

    tovprint::PrinterPort& port() {
        if (port_ == nullptr) throw tov::Error("no job is open on the printer");
        return *port_;
    }

    tovprint::PrinterAddress address_;
    tovprint::PrinterProfile profile_;
    std::chrono::milliseconds timeout_;
    std::unique_ptr<tovprint::PrinterPort> port_;
    std::optional<std::string> last_failure_;
};

}  // namespace

std::string_view condition_name(PrinterCondition condition) {
    switch (condition) {
        case PrinterCondition::CanPrint:
            return "can_print";
        case PrinterCondition::Cannot:
            return "cannot_print";
        case PrinterCondition::Unknown:
            return "unknown";
    }
    return "unknown";
}

std::unique_ptr<PrinterLink> port_printer_link(const PrinterConfig& printer) {
    return std::make_unique<PortPrinterLink>(printer);
}

}  // namespace tovprintd
