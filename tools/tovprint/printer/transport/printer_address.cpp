#include "printer/transport/printer_address.hpp"

#include <charconv>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

constexpr std::string_view tcp_scheme = "tcp://";
constexpr std::string_view file_scheme = "file:";
constexpr std::string_view file_authority = "//";

[[noreturn]] void refuse(const std::string& text, const std::string& why) {
    throw tov::ArgumentError("printer address '" + text + "': " + why);
}

std::uint16_t parse_port(std::string_view digits, const std::string& text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        value == 0 || value > 65535) {
        refuse(text, "the port must be a number from 1 to 65535");
    }
    return static_cast<std::uint16_t>(value);
}

NetworkPrinter parse_network(std::string_view rest, const std::string& text) {
    NetworkPrinter printer;
    std::string_view port;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) refuse(text, "an IPv6 address lacks its ']'");
        printer.host = std::string(rest.substr(1, close - 1));
        rest.remove_prefix(close + 1);
        if (!rest.empty() && rest.front() != ':') refuse(text, "expected ':PORT' after ']'");
        if (!rest.empty()) port = rest.substr(1);
    } else {
        const std::size_t colon = rest.find(':');
        printer.host = std::string(rest.substr(0, colon));
        if (colon != std::string_view::npos) port = rest.substr(colon + 1);
        if (colon != std::string_view::npos && port.empty()) refuse(text, "the port is empty");
    }
    if (printer.host.empty()) refuse(text, "the host is missing (tcp://HOST[:PORT])");
    if (printer.host.find_first_of("/?# ") != std::string::npos) {
        refuse(text, "'" + printer.host + "' is no host name");
    }
    if (!port.empty()) printer.port = parse_port(port, text);
    return printer;
}

}  // namespace

PrinterAddress parse_printer_address(const std::string& text) {
    const std::string_view address(text);
    if (address.rfind(tcp_scheme, 0) == 0) {
        return {text, parse_network(address.substr(tcp_scheme.size()), text)};
    }
    if (address.rfind(file_scheme, 0) == 0) {
        std::string_view path = address.substr(file_scheme.size());
        if (path.rfind(file_authority, 0) == 0) path.remove_prefix(file_authority.size());
        if (path.empty()) refuse(text, "the path is missing (file:PATH)");
        return {text, FilePrinter{std::filesystem::path(std::string(path))}};
    }
    refuse(text, "expected tcp://HOST[:PORT] or file:PATH");
}

}  // namespace tovprint
