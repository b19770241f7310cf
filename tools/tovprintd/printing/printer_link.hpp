#pragma once
// What the service needs of a printer: whether it can print now, the papers of one job written
// to it, and whether it confirms them. A printer that cannot say is honest about it: its status
// is unknown, and a job written whole to it is "sent", never "printed".

#include <memory>
#include <string>
#include <string_view>

#include "config/service_config.hpp"

namespace tovprintd {

enum class PrinterCondition { CanPrint, Cannot, Unknown };

struct PrinterStatus {
    PrinterCondition condition = PrinterCondition::Unknown;
    std::string reason;  // why it cannot print
};

std::string_view condition_name(PrinterCondition condition);

enum class Confirmation {
    Printed,           // the printer confirmed every paper
    SentNotConfirmed,  // written whole; the printer cannot confirm
    NotConfirmed,      // the printer should have confirmed and did not
};

class PrinterLink {
public:
    virtual ~PrinterLink() = default;

    // Asked now and then while idle.
    virtual PrinterStatus status() = 0;

    // Opens the way to the printer for one job and answers its status, asked over that same
    // way (a printer with one raw port may refuse a second connection while it closes the
    // first). Nothing of the job is sent yet. Throws tovprint::PrinterError (or tov::FileError)
    // when the printer cannot be reached: then nothing was sent.
    virtual PrinterStatus open_job() = 0;

    // Writes one paper's bytes; throws when the printer does not take them: then some may have
    // been printed.
    virtual void send_paper(std::string_view bytes) = 0;

    // Ends the job and says whether the printer confirmed it; throws when the printer did not
    // take the end of it.
    virtual Confirmation confirm() = 0;

    // Drops a job opened but not sent.
    virtual void abandon() = 0;
};

// A printer of tovprint's addresses (tcp://HOST[:PORT], file:PATH) through tovprint's
// connections. Where the profile says the printer answers, its status is asked over the
// connection and a job is printed only once the printer confirms it; a printer that cannot
// answer (no status in its profile, a device that cannot be read) has an unknown status, and a
// job written whole to it is sent, not confirmed.
std::unique_ptr<PrinterLink> port_printer_link(const PrinterConfig& printer);

}  // namespace tovprintd
