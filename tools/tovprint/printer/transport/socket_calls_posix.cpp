#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "printer/transport/socket_calls.hpp"

namespace tovprint::sockets {
namespace {

int descriptor(Handle handle) {
    return static_cast<int>(handle);
}

}  // namespace

Session::Session() = default;
Session::~Session() = default;

AddressList::AddressList(const std::string& host, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    const int failure = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list_);
    if (failure != 0) {
        list_ = nullptr;
        failure_ = gai_strerror(failure);
    }
}

AddressList::~AddressList() {
    if (list_ != nullptr) freeaddrinfo(list_);
}

std::vector<const addrinfo*> AddressList::entries() const {
    std::vector<const addrinfo*> entries;
    for (const addrinfo* entry = list_; entry != nullptr; entry = entry->ai_next) {
        entries.push_back(entry);
    }
    return entries;
}

int last_error() {
    return errno;
}
bool would_block(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINPROGRESS;
}
bool interrupted(int error) {
    return error == EINTR;
}
bool refused(int error) {
    return error == ECONNREFUSED;
}
std::string error_text(int error) {
    return std::system_category().message(error);
}

Handle open_socket(const addrinfo& address) {
#ifdef SOCK_CLOEXEC
    return socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC, address.ai_protocol);
#else
    return socket(address.ai_family, address.ai_socktype, address.ai_protocol);
#endif
}

bool set_non_blocking(Handle handle) {
    const int flags = fcntl(descriptor(handle), F_GETFL);
    return flags >= 0 && fcntl(descriptor(handle), F_SETFL, flags | O_NONBLOCK) == 0;
}

void send_without_delay(Handle handle) {
    const int on = 1;
    setsockopt(descriptor(handle), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int start_connect(Handle handle, const addrinfo& address) {
    if (connect(descriptor(handle), address.ai_addr, address.ai_addrlen) == 0) return 0;
    return last_error();
}

int connect_result(Handle handle) {
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(descriptor(handle), SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
        return last_error();
    }
    return error;
}

int poll_one(Handle handle, short events, int milliseconds, short& returned) {
    pollfd entry{descriptor(handle), 0, 0};
    if ((events & readable) != 0) entry.events |= POLLIN;
    if ((events & writable) != 0) entry.events |= POLLOUT;
    const int ready = poll(&entry, 1, milliseconds);
    returned = 0;
    if ((entry.revents & POLLOUT) != 0) returned |= writable;
    if ((entry.revents & ~POLLOUT) != 0) returned |= readable;
    return ready;
}

long send_some(Handle handle, const char* data, std::size_t size) {
    // MSG_NOSIGNAL: a printer that went away is an error to report, not a SIGPIPE.
    return ::send(descriptor(handle), data, size, MSG_NOSIGNAL);
}

long receive_some(Handle handle, char* data, std::size_t size) {
    return ::recv(descriptor(handle), data, size, 0);
}

void stop_sending(Handle handle) {
    shutdown(descriptor(handle), SHUT_WR);
}

void close(Handle handle) {
    ::close(descriptor(handle));
}

}  // namespace tovprint::sockets
