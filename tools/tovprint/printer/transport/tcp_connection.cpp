#include "printer/transport/tcp_connection.hpp"

#include <algorithm>
#include <climits>
#include <utility>

#include "printer/transport/printer_error.hpp"
#include "printer/transport/socket_calls.hpp"

namespace tovprint {

namespace {

using Clock = std::chrono::steady_clock;

// A socket closed with its owner, unless released.
class OwnedSocket {
public:
    explicit OwnedSocket(sockets::Handle handle) : handle_(handle) {}
    ~OwnedSocket() {
        if (handle_ != sockets::no_socket) sockets::close(handle_);
    }
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;
    sockets::Handle get() const { return handle_; }
    sockets::Handle release() { return std::exchange(handle_, sockets::no_socket); }

private:
    sockets::Handle handle_;
};

int milliseconds_until(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX));
}

// Waits for one of the events until the deadline; answers the events that came, 0 on time-out.
short wait_for(sockets::Handle handle, short events, Clock::time_point deadline) {
    for (;;) {
        short returned = 0;
        const int ready = sockets::poll_one(handle, events, milliseconds_until(deadline), returned);
        if (ready > 0) return returned;
        if (ready == 0) return 0;
        if (!sockets::interrupted(sockets::last_error()))
            return events;  // let the call itself fail
    }
}

// How one address answered a connection attempt.
struct Attempt {
    sockets::Handle handle = sockets::no_socket;  // connected, when not no_socket
    int error = 0;
    bool timed_out = false;
};

Attempt try_address(const addrinfo& address, Clock::time_point deadline) {
    OwnedSocket socket(sockets::open_socket(address));
    if (socket.get() == sockets::no_socket || !sockets::set_non_blocking(socket.get())) {
        return {sockets::no_socket, sockets::last_error(), false};
    }
    sockets::send_without_delay(socket.get());
    const int error = sockets::start_connect(socket.get(), address);
    if (error == 0) return {socket.release(), 0, false};
    if (!sockets::would_block(error)) return {sockets::no_socket, error, false};
    if (wait_for(socket.get(), sockets::writable, deadline) == 0)
        return {sockets::no_socket, 0, true};
    if (const int result = sockets::connect_result(socket.get()); result != 0) {
        return {sockets::no_socket, result, false};
    }
    return {socket.release(), 0, false};
}

}  // namespace

// The socket library is started before the socket is opened and let go after it is closed.
struct TcpConnection::Socket {
    sockets::Session session;
    sockets::Handle handle = sockets::no_socket;

    ~Socket() {
        if (handle != sockets::no_socket) sockets::close(handle);
    }
};

TcpConnection::TcpConnection(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout, std::string printer)
    : socket_(std::make_unique<Socket>()),
      timeout_(timeout),
      deadline_(Clock::now() + timeout),
      printer_(std::move(printer)) {
    const sockets::AddressList addresses(host, port);
    if (!addresses.failure().empty()) {
        throw PrinterError("printer " + printer_ + ": cannot find the host '" + host +
                           "': " + addresses.failure());
    }
    Attempt last;
    for (const addrinfo* address : addresses.entries()) {
        last = try_address(*address, deadline_);
        if (last.handle != sockets::no_socket) {
            socket_->handle = last.handle;
            return;
        }
        if (last.timed_out) break;
    }
    if (last.timed_out) {
        throw PrinterError("printer " + printer_ + " does not answer: no connection within " +
                           seconds_text(timeout_));
    }
    if (sockets::refused(last.error)) {
        throw PrinterError("printer " + printer_ +
                           " refused the connection: nothing listens on that port");
    }
    throw PrinterError("printer " + printer_ +
                       ": cannot connect: " + sockets::error_text(last.error));
}

TcpConnection::~TcpConnection() = default;

// Reads what the printer sent back (status bytes, kept for receive()). Answers false when the
// printer closed its end; throws when it dropped the connection.
bool TcpConnection::read_back(const char* doing) {
    char bytes[512];
    const long received = sockets::receive_some(socket_->handle, bytes, sizeof bytes);
    if (received > 0) {
        kept_.append(bytes, static_cast<std::size_t>(received));
        if (kept_.size() > kept_limit) kept_.erase(0, kept_.size() - kept_limit);
        return true;
    }
    if (received == 0) return false;
    const int error = sockets::last_error();
    if (sockets::would_block(error) || sockets::interrupted(error)) return true;
    throw PrinterError("printer " + printer_ + " dropped the connection " + doing + ": " +
                       sockets::error_text(error));
}

void TcpConnection::send(std::string_view bytes) {
    send_before(bytes, deadline_);
}

void TcpConnection::send_before(std::string_view bytes, Clock::time_point deadline) {
    constexpr const char* doing = "while the job was being sent";
    while (!bytes.empty()) {
        const short events =
            wait_for(socket_->handle, sockets::readable | sockets::writable, deadline);
        if (events == 0) {
            throw PrinterError("printer " + printer_ + " did not take the job within " +
                               seconds_text(timeout_) + " (out of paper, cover open or off line?)");
        }
        if ((events & ~sockets::writable) != 0) {
            if (!read_back(doing)) {
                throw PrinterError("printer " + printer_ +
                                   " closed the connection before the job was complete");
            }
        }
        if ((events & sockets::writable) == 0) continue;
        const long sent = sockets::send_some(socket_->handle, bytes.data(), bytes.size());
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        const int error = sockets::last_error();
        if (sent < 0 && (sockets::would_block(error) || sockets::interrupted(error))) continue;
        throw PrinterError("printer " + printer_ + " dropped the connection " + doing + ": " +
                           sockets::error_text(error));
    }
}

std::string TcpConnection::receive(Clock::time_point deadline) {
    while (kept_.empty()) {
        if (wait_for(socket_->handle, sockets::readable, deadline) == 0) return {};
        if (!read_back("while its answer was awaited")) {
            throw PrinterError("printer " + printer_ + " closed the connection");
        }
        if (Clock::now() >= deadline && kept_.empty()) return {};
    }
    return std::exchange(kept_, {});
}

void TcpConnection::finish() {
    sockets::stop_sending(socket_->handle);
    for (;;) {
        if (wait_for(socket_->handle, sockets::readable, deadline_) == 0) {
            throw PrinterError("printer " + printer_ + " did not close the connection within the " +
                               seconds_text(timeout_) +
                               " of the job: it may not have read all of it");
        }
        if (!read_back("before reading the whole job")) return;
    }
}

}  // namespace tovprint
