#pragma once
// The few socket calls a network printer connection makes, the same on every system: BSD
// sockets in socket_calls_posix.cpp, Winsock in socket_calls_windows.cpp. An address is the
// system's `addrinfo`, handed back to these calls as it came from the resolver.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct addrinfo;

namespace tovprint::sockets {

// A socket: a descriptor, or a Winsock SOCKET.
using Handle = std::intptr_t;
inline constexpr Handle no_socket = -1;

// The events poll_one waits for and answers. `readable` also stands for an error or the end of
// the connection, which a read then tells.
inline constexpr short readable = 1;
inline constexpr short writable = 2;

// The socket library, ready while one lives (Winsock counts its callers); nothing elsewhere.
// Throws PrinterError when it cannot start.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// The stream addresses of host:port, in the resolver's order, freed with their owner.
class AddressList {
public:
    AddressList(const std::string& host, std::uint16_t port);
    ~AddressList();
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;

    // The resolver's reason when it found no address; empty when it found some.
    const std::string& failure() const { return failure_; }
    std::vector<const addrinfo*> entries() const;

private:
    addrinfo* list_ = nullptr;
    std::string failure_;
};

int last_error();
bool would_block(int error);
bool interrupted(int error);
bool refused(int error);
std::string error_text(int error);

Handle open_socket(const addrinfo& address);
bool set_non_blocking(Handle handle);
// Small writes go out at once (no Nagle delay): a status request or the confirmation request
// after a job's last paper must not wait for the acknowledgement of the paper before it, which
// a printer may hold back for tens of milliseconds. Best effort: a socket that refuses still
// works, only slower.
void send_without_delay(Handle handle);
// 0 when the connection is made at once, else the error (would_block: under way).
int start_connect(Handle handle, const addrinfo& address);
// The pending error of a socket whose connection attempt has ended; 0 when connected.
int connect_result(Handle handle);
// Waits for the events at most `milliseconds`; the count of ready sockets (0 on time-out, < 0
// on failure), the events that came in `returned`.
int poll_one(Handle handle, short events, int milliseconds, short& returned);
long send_some(Handle handle, const char* data, std::size_t size);
long receive_some(Handle handle, char* data, std::size_t size);
void stop_sending(Handle handle);
void close(Handle handle);

}  // namespace tovprint::sockets
