#include "tcp_connection.hpp"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <climits>
#include <system_error>
#include <utility>

#include "printer_error.hpp"

namespace tovprint {
namespace os {

// The few socket calls this file makes, for each operating system.
#ifdef _WIN32
using Handle = SOCKET;
constexpr Handle no_socket = INVALID_SOCKET;
constexpr short readable = POLLRDNORM;
constexpr short writable = POLLWRNORM;
constexpr int connection_refused = WSAECONNREFUSED;

// Winsock is started for as long as a connection lives (WSAStartup counts its callers).
class Session {
public:
    Session() {
        WSADATA data;
        const int failure = WSAStartup(MAKEWORD(2, 2), &data);
        if (failure != 0) {
            throw PrinterError("cannot start Winsock: " + std::system_category().message(failure));
        }
    }
    ~Session() { WSACleanup(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

int last_error() {
    return WSAGetLastError();
}
bool would_block(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}
bool interrupted(int error) {
    return error == WSAEINTR;
}
void close(Handle handle) {
    closesocket(handle);
}
Handle open_socket(const addrinfo& address) {
    return socket(address.ai_family, address.ai_socktype, address.ai_protocol);
}
bool set_non_blocking(Handle handle) {
    u_long on = 1;
    return ioctlsocket(handle, FIONBIO, &on) == 0;
}
int poll_one(Handle handle, short events, int milliseconds, short& returned) {
    WSAPOLLFD entry{handle, events, 0};
    const int ready = WSAPoll(&entry, 1, milliseconds);
    returned = entry.revents;
    return ready;
}
long send_some(Handle handle, const char* data, std::size_t size) {
    return ::send(handle, data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)), 0);
}
long receive_some(Handle handle, char* data, std::size_t size) {
    return ::recv(handle, data, static_cast<int>(size), 0);
}
void stop_sending(Handle handle) {
    shutdown(handle, SD_SEND);
}
std::string lookup_failure(int failure) {
    return gai_strerrorA(failure);
}
#else
using Handle = int;
constexpr Handle no_socket = -1;
constexpr short readable = POLLIN;
constexpr short writable = POLLOUT;
constexpr int connection_refused = ECONNREFUSED;

class Session {};

int last_error() {
    return errno;
}
bool would_block(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINPROGRESS;
}
bool interrupted(int error) {
    return error == EINTR;
}
void close(Handle handle) {
    ::close(handle);
}
Handle open_socket(const addrinfo& address) {
#ifdef SOCK_CLOEXEC
    return socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC, address.ai_protocol);
#else
    return socket(address.ai_family, address.ai_socktype, address.ai_protocol);
#endif
}
bool set_non_blocking(Handle handle) {
    const int flags = fcntl(handle, F_GETFL);
    return flags >= 0 && fcntl(handle, F_SETFL, flags | O_NONBLOCK) == 0;
}
int poll_one(Handle handle, short events, int milliseconds, short& returned) {
    pollfd entry{handle, events, 0};
    const int ready = poll(&entry, 1, milliseconds);
    returned = entry.revents;
    return ready;
}
long send_some(Handle handle, const char* data, std::size_t size) {
    // MSG_NOSIGNAL: a printer that went away is an error to report, not a SIGPIPE.
    return ::send(handle, data, size, MSG_NOSIGNAL);
}
long receive_some(Handle handle, char* data, std::size_t size) {
    return ::recv(handle, data, size, 0);
}
void stop_sending(Handle handle) {
    shutdown(handle, SHUT_WR);
}
std::string lookup_failure(int failure) {
    return gai_strerror(failure);
}
#endif

std::string error_text(int error) {
    return std::system_category().message(error);
}

// The pending error of a socket whose connection attempt has ended.
int connect_result(Handle handle) {
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(handle, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) {
        return last_error();
    }
    return error;
}

}  // namespace os

namespace {

using Clock = std::chrono::steady_clock;

// A socket closed with its owner, unless released.
class OwnedSocket {
public:
    explicit OwnedSocket(os::Handle handle) : handle_(handle) {}
    ~OwnedSocket() {
        if (handle_ != os::no_socket) os::close(handle_);
    }
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;
    os::Handle get() const { return handle_; }
    os::Handle release() { return std::exchange(handle_, os::no_socket); }

private:
    os::Handle handle_;
};

int milliseconds_until(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX));
}

// Waits for one of the events until the deadline; answers the events that came, 0 on time-out.
short wait_for(os::Handle handle, short events, Clock::time_point deadline) {
    for (;;) {
        short returned = 0;
        const int ready = os::poll_one(handle, events, milliseconds_until(deadline), returned);
        if (ready > 0) return returned;
        if (ready == 0) return 0;
        if (!os::interrupted(os::last_error())) return events;  // let the call itself fail
    }
}

// How one address answered a connection attempt.
struct Attempt {
    os::Handle handle = os::no_socket;  // connected, when not no_socket
    int error = 0;
    bool timed_out = false;
};

Attempt try_address(const addrinfo& address, Clock::time_point deadline) {
    OwnedSocket socket(os::open_socket(address));
    if (socket.get() == os::no_socket || !os::set_non_blocking(socket.get())) {
        return {os::no_socket, os::last_error(), false};
    }
    if (connect(socket.get(), address.ai_addr, static_cast<socklen_t>(address.ai_addrlen)) == 0) {
        return {socket.release(), 0, false};
    }
    const int error = os::last_error();
    if (!os::would_block(error)) return {os::no_socket, error, false};
    if (wait_for(socket.get(), os::writable, deadline) == 0) return {os::no_socket, 0, true};
    if (const int result = os::connect_result(socket.get()); result != 0) {
        return {os::no_socket, result, false};
    }
    return {socket.release(), 0, false};
}

struct AddressList {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

std::unique_ptr<addrinfo, AddressList> look_up(const std::string& host, std::uint16_t port,
                                               const std::string& printer) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int failure = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (failure != 0) {
        throw PrinterError("printer " + printer + ": cannot find the host '" + host +
                           "': " + os::lookup_failure(failure));
    }
    return std::unique_ptr<addrinfo, AddressList>(found);
}

}  // namespace

// Winsock is started before the socket is opened and cleaned up after it is closed.
struct TcpConnection::Socket {
    os::Session session;
    os::Handle handle = os::no_socket;

    ~Socket() {
        if (handle != os::no_socket) os::close(handle);
    }
};

TcpConnection::TcpConnection(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds timeout, std::string printer)
    : socket_(std::make_unique<Socket>()), timeout_(timeout), printer_(std::move(printer)) {
    const auto addresses = look_up(host, port, printer_);
    const auto deadline = Clock::now() + timeout_;
    Attempt last;
    for (const addrinfo* address = addresses.get(); address != nullptr;
         address = address->ai_next) {
        last = try_address(*address, deadline);
        if (last.handle != os::no_socket) {
            socket_->handle = last.handle;
            return;
        }
        if (last.timed_out) break;
    }
    if (last.timed_out) {
        throw PrinterError("printer " + printer_ + " does not answer: no connection within " +
                           seconds_text(timeout_));
    }
    if (last.error == os::connection_refused) {
        throw PrinterError("printer " + printer_ +
                           " refused the connection: nothing listens on that port");
    }
    throw PrinterError("printer " + printer_ + ": cannot connect: " + os::error_text(last.error));
}

TcpConnection::~TcpConnection() = default;

// Reads what the printer sent back (status bytes, which are ignored). Answers false when the
// printer closed its end; throws when it dropped the connection.
bool TcpConnection::read_back(const char* doing) {
    char ignored[512];
    const long received = os::receive_some(socket_->handle, ignored, sizeof ignored);
    if (received > 0) return true;
    if (received == 0) return false;
    const int error = os::last_error();
    if (os::would_block(error) || os::interrupted(error)) return true;
    throw PrinterError("printer " + printer_ + " dropped the connection " + doing + ": " +
                       os::error_text(error));
}

void TcpConnection::send(std::string_view bytes) {
    constexpr const char* doing = "while the job was being sent";
    while (!bytes.empty()) {
        const short events =
            wait_for(socket_->handle, os::readable | os::writable, Clock::now() + timeout_);
        if (events == 0) {
            throw PrinterError("printer " + printer_ + " took no bytes for " +
                               seconds_text(timeout_) + " (out of paper, cover open or off line?)");
        }
        if ((events & ~os::writable) != 0) {
            if (!read_back(doing)) {
                throw PrinterError("printer " + printer_ +
                                   " closed the connection before the job was complete");
            }
        }
        if ((events & os::writable) == 0) continue;
        const long sent = os::send_some(socket_->handle, bytes.data(), bytes.size());
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        const int error = os::last_error();
        if (sent < 0 && (os::would_block(error) || os::interrupted(error))) continue;
        throw PrinterError("printer " + printer_ + " dropped the connection " + doing + ": " +
                           os::error_text(error));
    }
}

void TcpConnection::finish() {
    os::stop_sending(socket_->handle);
    const auto deadline = Clock::now() + timeout_;
    for (;;) {
        if (wait_for(socket_->handle, os::readable, deadline) == 0) {
            throw PrinterError("printer " + printer_ + " did not close the connection within " +
                               seconds_text(timeout_) +
                               " of the end of the job: it may not have read all of it");
        }
        if (!read_back("before reading the whole job")) return;
    }
}

}  // namespace tovprint
