#include "config/listen_address.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <charconv>
#include <cstring>

#include "platform/errors/errors.hpp"

namespace tovprintd {
namespace {

[[noreturn]] void refuse(const std::string& text, const std::string& why) {
    throw tov::ArgumentError("listen address '" + text + "' " + why);
}

std::uint16_t port_of(const std::string& text, std::string_view digits) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        value > 65535) {
        refuse(text, "must end in :PORT, a number from 0 to 65535");
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

ListenAddress parse_listen_address(const std::string& text) {
    ListenAddress address;
    address.text = text;
    const auto colon = text.rfind(':');
    if (colon == std::string::npos) refuse(text, "must be HOST:PORT");
    std::string host = text.substr(0, colon);
    address.port = port_of(text, std::string_view(text).substr(colon + 1));
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        sockaddr_in6 ipv6{};
        ipv6.sin6_family = AF_INET6;
        ipv6.sin6_port = htons(address.port);
        if (inet_pton(AF_INET6, host.substr(1, host.size() - 2).c_str(), &ipv6.sin6_addr) != 1) {
            refuse(text, "holds no IPv6 address between its brackets");
        }
        address.loopback = IN6_IS_ADDR_LOOPBACK(&ipv6.sin6_addr);
        std::memcpy(&address.socket_address, &ipv6, sizeof ipv6);
        address.socket_address_size = sizeof ipv6;
        return address;
    }
    sockaddr_in ipv4{};
    ipv4.sin_family = AF_INET;
    ipv4.sin_port = htons(address.port);
    if (inet_pton(AF_INET, host.c_str(), &ipv4.sin_addr) != 1) {
        refuse(text, "must begin with an IPv4 address (127.0.0.1) or an IPv6 one in brackets");
    }
    address.loopback = (ntohl(ipv4.sin_addr.s_addr) >> 24) == 127;
    std::memcpy(&address.socket_address, &ipv4, sizeof ipv4);
    address.socket_address_size = sizeof ipv4;
    return address;
}

}  // namespace tovprintd
