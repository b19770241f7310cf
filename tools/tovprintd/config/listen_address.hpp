#pragma once
// Where the API listens: "HOST:PORT" with HOST an IPv4 address or an IPv6 address in brackets
// ([::1]:8631), PORT 0 to 65535 (0: a free port the system chooses). Names are not resolved, so
// that the service listens exactly where it was told.

#include <cstdint>
#include <string>

#include <sys/socket.h>

namespace tovprintd {

inline constexpr const char* default_listen_address = "127.0.0.1:8631";

struct ListenAddress {
    std::string text;  // as written
    sockaddr_storage socket_address{};
    socklen_t socket_address_size = 0;
    std::uint16_t port = 0;
    bool loopback = false;
};

// Throws tov::ArgumentError saying what is wrong with the address.
ListenAddress parse_listen_address(const std::string& text);

}  // namespace tovprintd
