#pragma once
// Where --printer sends the job:
//   tcp://HOST[:PORT]   a network printer's raw port (9100 unless given); an IPv6 address is
//                       written in brackets, tcp://[::1]:9100
//   file:PATH           a device (/dev/usb/lp0, a serial port, a pipe) or a file; file:///PATH
//                       is the same as file:/PATH

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>

namespace tovprint {

inline constexpr std::uint16_t raw_printer_port = 9100;

struct NetworkPrinter {
    std::string host;
    std::uint16_t port = raw_printer_port;
};

struct FilePrinter {
    std::filesystem::path path;
};

struct PrinterAddress {
    std::string text;  // as the user wrote it
    std::variant<NetworkPrinter, FilePrinter> where;
};

// Throws tov::ArgumentError saying which part of the address is wrong.
PrinterAddress parse_printer_address(const std::string& text);

}  // namespace tovprint
