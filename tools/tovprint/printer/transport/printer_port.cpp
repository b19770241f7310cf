#include "printer/transport/printer_port.hpp"

#include "os/file_replacement.hpp"
#include "printer/transport/device_file.hpp"
#include "printer/transport/printer_error.hpp"
#include "printer/transport/tcp_connection.hpp"

namespace tovprint {
namespace {

// Status requests and their answers over a way to the printer that reads back (its socket, or
// a device that carries its answers): Write and Read are that way's calls. A way that fails is a
// StatusConnectionError, which a status query lets through as the printer's failure.
template <typename Way, void (Way::*Write)(std::string_view, status::Deadline),
          std::string (Way::*Read)(status::Deadline)>
class StatusConnectionOver final : public status::StatusConnection {
public:
    explicit StatusConnectionOver(Way& way) : way_(way) {}
    void write(std::string_view bytes, status::Deadline deadline) override {
        try {
            (way_.*Write)(bytes, deadline);
        } catch (const PrinterError& error) {
            throw status::StatusConnectionError(error.what());
        }
    }
    std::string read_some(status::Deadline deadline) override {
        try {
            return (way_.*Read)(deadline);
        } catch (const PrinterError& error) {
            throw status::StatusConnectionError(error.what());
        }
    }

private:
    Way& way_;
};

using TcpStatusConnection =
    StatusConnectionOver<TcpConnection, &TcpConnection::send_before, &TcpConnection::receive>;
using DeviceStatusConnection =
    StatusConnectionOver<DeviceFile, &DeviceFile::write_before, &DeviceFile::read_some>;

class NetworkPort final : public PrinterPort {
public:
    NetworkPort(const PrinterAddress& address, const NetworkPrinter& printer,
                std::chrono::milliseconds timeout)
        : connection_(printer.host, printer.port, timeout, address.text), status_(connection_) {}
    void write(std::string_view bytes) override { connection_.send(bytes); }
    status::StatusConnection* status_connection() override { return &status_; }
    void finish() override { connection_.finish(); }

private:
    TcpConnection connection_;
    TcpStatusConnection status_;
};

class DevicePort final : public PrinterPort {
public:
    DevicePort(const PrinterAddress& address, const FilePrinter& printer,
               std::chrono::milliseconds timeout)
        : device_(printer.path, timeout, address.text), status_(device_) {}
    void write(std::string_view bytes) override { device_.write(bytes); }
    status::StatusConnection* status_connection() override {
        return device_.reads_back() ? &status_ : nullptr;
    }
    void finish() override { device_.finish(); }

private:
    DeviceFile device_;
    DeviceStatusConnection status_;
};

class FilePort final : public PrinterPort {
public:
    explicit FilePort(const FilePrinter& printer) : file_(printer.path) {}
    void write(std::string_view bytes) override { file_.write(bytes); }
    void finish() override { file_.commit(); }

private:
    FileReplacement file_;
};

}  // namespace

std::unique_ptr<PrinterPort> open_printer_port(const PrinterAddress& address,
                                               std::chrono::milliseconds timeout) {
    if (const auto* network = std::get_if<NetworkPrinter>(&address.where)) {
        return std::make_unique<NetworkPort>(address, *network, timeout);
    }
    const auto& file = std::get<FilePrinter>(address.where);
    if (is_device_path(file.path)) return std::make_unique<DevicePort>(address, file, timeout);
    return std::make_unique<FilePort>(file);
}

}  // namespace tovprint
