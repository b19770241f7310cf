#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <system_error>

#include "printer/transport/printer_error.hpp"
#include "printer/transport/socket_calls.hpp"

namespace tovprint::sockets {
namespace {

SOCKET socket_of(Handle handle) {
    return handle == no_socket ? INVALID_SOCKET : static_cast<SOCKET>(handle);
}

}  // namespace

Session::Session() {
    WSADATA data;
    const int failure = WSAStartup(MAKEWORD(2, 2), &data);
    if (failure != 0) {
        throw PrinterError("cannot start Winsock: " + std::system_category().message(failure));
    }
}

Session::~Session() {
    WSACleanup();
}

AddressList::AddressList(const std::string& host, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    const int failure = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list_);
    if (failure != 0) {
        list_ = nullptr;
        failure_ = gai_strerrorA(failure);
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
    return WSAGetLastError();
}
bool would_block(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}
bool interrupted(int error) {
    return error == WSAEINTR;
}
bool refused(int error) {
    return error == WSAECONNREFUSED;
}
std::string error_text(int error) {
    return std::system_category().message(error);
}

Handle open_socket(const addrinfo& address) {
    const SOCKET opened = socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    return opened == INVALID_SOCKET ? no_socket : static_cast<Handle>(opened);
}

bool set_non_blocking(Handle handle) {
    u_long on = 1;
    return ioctlsocket(socket_of(handle), FIONBIO, &on) == 0;
}

void send_without_delay(Handle handle) {
    const BOOL on = TRUE;
    setsockopt(socket_of(handle), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
               sizeof on);
}

int start_connect(Handle handle, const addrinfo& address) {
    if (connect(socket_of(handle), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
        return 0;
    }
    return last_error();
}

int connect_result(Handle handle) {
    int error = 0;
    int size = sizeof error;
    if (getsockopt(socket_of(handle), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                   &size) != 0) {
        return last_error();
    }
    return error;
}

int poll_one(Handle handle, short events, int milliseconds, short& returned) {
    WSAPOLLFD entry{socket_of(handle), 0, 0};
    if ((events & readable) != 0) entry.events |= POLLRDNORM;
    if ((events & writable) != 0) entry.events |= POLLWRNORM;
    const int ready = WSAPoll(&entry, 1, milliseconds);
    returned = 0;
    if ((entry.revents & POLLWRNORM) != 0) returned |= writable;
    if ((entry.revents & ~POLLWRNORM) != 0) returned |= readable;
    return ready;
}

long send_some(Handle handle, const char* data, std::size_t size) {
    return ::send(socket_of(handle), data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)),
                  0);
}

long receive_some(Handle handle, char* data, std::size_t size) {
    return ::recv(socket_of(handle), data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)),
                  0);
}

void stop_sending(Handle handle) {
    shutdown(socket_of(handle), SD_SEND);
}

void close(Handle handle) {
    closesocket(socket_of(handle));
}

}  // namespace tovprint::sockets
