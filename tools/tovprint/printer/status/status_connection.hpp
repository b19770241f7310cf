#pragma once
// The two-way connection a status query talks over: a network printer's socket, or a device file
// whose driver carries the printer's answers back. Each call waits no longer than its deadline.

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovprint::status {

using Clock = std::chrono::steady_clock;
using Deadline = Clock::time_point;

// The printer closed the connection, or writing to it failed.
class StatusConnectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class StatusConnection {
public:
    virtual ~StatusConnection() = default;
    // Writes every byte before the deadline, or throws StatusConnectionError.
    virtual void write(std::string_view bytes, Deadline deadline) = 0;
    // The bytes that arrive before the deadline, at least one, or none once the deadline has
    // passed. Throws StatusConnectionError when the printer has closed the connection.
    virtual std::string read_some(Deadline deadline) = 0;
};

}  // namespace tovprint::status
