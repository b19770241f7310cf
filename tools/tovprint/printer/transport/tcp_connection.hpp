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
    // deadline, closes its end or drops the connection. Bytes the printer sends back meanwhile
    // are kept for receive() (the latest of them, up to kept_limit).
    void send(std::string_view bytes);

    // Sends every byte by `deadline` (rather than the job's), with the same failures as send().
    void send_before(std::string_view bytes, std::chrono::steady_clock::time_point deadline);

    // What the printer sent back, at least one byte, or none once `deadline` has passed: first
    // what arrived while the job was being sent, then what arrives now. Throws PrinterError when
    // the printer closed or dropped the connection.
    std::string receive(std::chrono::steady_clock::time_point deadline);

    // Ends the job: no more bytes are sent, and the printer must close the connection (having
    // read everything) by the job's deadline. Throws PrinterError otherwise.
    void finish();

    static constexpr std::size_t kept_limit = 4096;

private:
    bool read_back(const char* doing);

    struct Socket;
    std::unique_ptr<Socket> socket_;
    std::chrono::milliseconds timeout_;
    std::chrono::steady_clock::time_point deadline_;
    std::string printer_;
    std::string kept_;  // bytes read back and not yet received
};

}  // namespace tovprint
