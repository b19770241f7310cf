#include <optional>

#include "platform/errors/errors.hpp"
#include "printer/transport/printer_address.hpp"
#include "printer/transport/printer_error.hpp"
#include "printer/transport/printer_port.hpp"
#include "printer_link.hpp"

namespace tovprintd {
namespace {

class PortPrinterLink final : public PrinterLink {
public:
    explicit PortPrinterLink(const PrinterConfig& printer)
        : address_(tovprint::parse_printer_address(printer.address)), timeout_(printer.timeout) {}

    // While the last way to the printer failed, another is tried (and closed at once) to see
    // whether it is back.
    PrinterStatus status() override {
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

    void open_job() override {
        try {
            port_ = tovprint::open_printer_port(address_, timeout_);
            last_failure_.reset();
        } catch (const std::exception& error) {
            last_failure_ = error.what();
            throw;
        }
    }

    void send_paper(std::string_view bytes) override { port().write(bytes); }

    Confirmation confirm() override {
        auto port = std::move(port_);
        if (port == nullptr) throw tov::Error("no job is open on the printer");
        port->finish();
        return Confirmation::SentNotConfirmed;
    }

    void abandon() override { port_.reset(); }

private:
    tovprint::PrinterPort& port() {
        if (port_ == nullptr) throw tov::Error("no job is open on the printer");
        return *port_;
    }

    tovprint::PrinterAddress address_;
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
