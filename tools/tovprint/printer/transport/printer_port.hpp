#pragma once
// The way to a printer: a network printer's raw port, a device, or a file that stands for the
// printer (written in full before it replaces the old one, like --out).

#include <chrono>
#include <memory>
#include <string_view>

#include "printer/status/status_connection.hpp"
#include "printer/transport/printer_address.hpp"

namespace tovprint {

class PrinterPort {
public:
    virtual ~PrinterPort() = default;

    // Every byte, or PrinterError (tov::FileError for a file).
    virtual void write(std::string_view bytes) = 0;

    // The way the printer answers status requests, or none for a port that does not read back
    // (a file; a device that cannot be read, or this program's own terminal): its status is
    // then unknown.
    // Valid while the port lives.
    virtual status::StatusConnection* status_connection() { return nullptr; }

    // Ends the job once every byte was written: the printer has taken them all, or this throws.
    virtual void finish() = 0;
};

// Connects to the printer, or opens the device or the file, waiting at most the timeout.
std::unique_ptr<PrinterPort> open_printer_port(const PrinterAddress& address,
                                               std::chrono::milliseconds timeout);

}  // namespace tovprint
