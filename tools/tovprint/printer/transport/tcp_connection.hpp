#pragma once
// A raw TCP connection to a network printer (the port 9100 kind), with one time limit for the
// whole job, counted from the start of connecting: connecting, sending every byte and the wait for
// the printer to close the connection once it has read the whole job all end by that deadline.
// Bytes the printer sends back never extend it. The socket is closed with its owner. The
// system's own socket calls are those of socket_calls.hpp.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tovprint {

class TcpConnection {
public:
    // Connects to the first address of the host that answers. Throws PrinterError naming
    // `printer` when the host is unknown, refuses, or no address answers within the timeout.
    TcpConnection(const std::string& host, std::uint16_t port, std::chrono::milliseconds timeout,
                  std::string printer);
    ~TcpConnection();
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // Sends every byte. Throws PrinterError when the printer has not taken them by the job's
    // deadline, closes its end or drops the connection. Bytes the printer sends back are read and
    // ignored.
    void send(std::string_view bytes);

    // Ends the job: no more bytes are sent, and the printer must close the connection (having
    // read everything) by the job's deadline. Throws PrinterError otherwise.
    void finish();

private:
    bool read_back(const char* doing);

    struct Socket;
    std::unique_ptr<Socket> socket_;
    std::chrono::milliseconds timeout_;
    std::chrono::steady_clock::time_point deadline_;
    std::string printer_;
};

}  // namespace tovprint
