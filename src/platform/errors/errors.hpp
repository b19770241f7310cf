#pragma once
// The one exception hierarchy of the package. Every failure inside is one of these; the C ABI
// boundary turns them into a status code and the message. Messages name what was wrong: the
// field, the file, the byte offset or element of a packet, the statement.
//
// Each error carries the status code the C ABI reports for it (TOV_E_* of tov00000.h), so the
// boundary reads the code from the error instead of asking which class it is.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/errors/quoted.hpp"
#include "tov00000/tov00000.h"

namespace tov {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message, int32_t status = TOV_E_INTERNAL)
        : std::runtime_error(message), status_(status) {}

    // The TOV_E_* code of this failure.
    int32_t status() const noexcept { return status_; }

private:
    int32_t status_;
};

// An error class of the hierarchy whose every instance reports the same status code.
template <int32_t Status>
class ErrorWithStatus : public Error {
public:
    explicit ErrorWithStatus(const std::string& message) : Error(message, Status) {}
};

// A data packet (binary or XML) that cannot be read or written.
class PacketError : public ErrorWithStatus<TOV_E_PACKET> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// A field name that the dataset does not hold.
class FieldNotFound : public ErrorWithStatus<TOV_E_FIELD> {
public:
    explicit FieldNotFound(const std::string& field)
        : ErrorWithStatus(field_label(field) + " not found"), field_(field) {}
    const std::string& field() const { return field_; }

private:
    std::string field_;
};

// A filter expression that does not parse, or a dataset operation that is not allowed.
class DatasetError : public ErrorWithStatus<TOV_E_DATASET> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// A value that cannot be formatted or converted (a text that is no number, a bad pattern).
class ConversionError : public ErrorWithStatus<TOV_E_CONVERSION> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// A bad argument from the host: a NULL handle, a value out of range, a missing parameter.
class ArgumentError : public ErrorWithStatus<TOV_E_ARGUMENT> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// The database: connection, statement or fetch.
class DatabaseError : public ErrorWithStatus<TOV_E_DATABASE> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// A file that is missing or unreadable.
class FileError : public ErrorWithStatus<TOV_E_FILE> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// A back-end entry point or host service that is not registered, or that answered unusably.
class BackendError : public ErrorWithStatus<TOV_E_BACKEND> {
public:
    using ErrorWithStatus::ErrorWithStatus;
};

// An answer that does not fit the buffer the caller handed in.
class BufferError : public ErrorWithStatus<TOV_E_BUFFER> {
public:
    explicit BufferError(const std::string& message, std::size_t required_capacity = 0)
        : ErrorWithStatus(message), required_capacity_(required_capacity) {}

    // The capacity, terminator included, that the answer needs (0 when unknown).
    std::size_t required_capacity() const noexcept { return required_capacity_; }

private:
    std::size_t required_capacity_;
};

}  // namespace tov
