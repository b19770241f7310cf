#pragma once
// The one exception hierarchy of the package. Every failure inside is one of these; the C ABI
// boundary turns them into a status code and the message. Messages name what was wrong: the
// field, the file, the byte offset or element of a packet, the statement.

#include <stdexcept>
#include <string>

namespace tov {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A data packet (binary or XML) that cannot be read or written.
class PacketError : public Error {
public:
    using Error::Error;
};

// A field name that the dataset does not hold.
class FieldNotFound : public Error {
public:
    explicit FieldNotFound(const std::string& field)
        : Error("field '" + field + "' not found"), field_(field) {}
    const std::string& field() const { return field_; }

private:
    std::string field_;
};

// A filter expression that does not parse, or a dataset operation that is not allowed.
class DatasetError : public Error {
public:
    using Error::Error;
};

// A value that cannot be formatted or converted (a text that is no number, a bad pattern).
class ConversionError : public Error {
public:
    using Error::Error;
};

// A bad argument from the host: a NULL handle, a value out of range, a missing parameter.
class ArgumentError : public Error {
public:
    using Error::Error;
};

// The database: connection, statement or fetch.
class DatabaseError : public Error {
public:
    using Error::Error;
};

// A file that is missing or unreadable.
class FileError : public Error {
public:
    using Error::Error;
};

// A back-end entry point or host service that is not registered, or that answered unusably.
class BackendError : public Error {
public:
    using Error::Error;
};

// An answer that does not fit the buffer the caller handed in.
class BufferError : public Error {
public:
    using Error::Error;
};

}  // namespace tov
