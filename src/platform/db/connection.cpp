#include "platform/db/connection.hpp"

#include "platform/db/odbc_driver.hpp"
#include "platform/db/sqlite_driver.hpp"
#include "platform/errors/errors.hpp"

namespace tov::db {

std::unique_ptr<Driver> open_driver(const std::string& connection_string,
                                    const OdbcDriverNames& names) {
    const ConnectionTarget target = resolve_connection_string(connection_string, names);
    if (target.kind == ConnectionTarget::Kind::Sqlite) return open_sqlite(target.sqlite_path);
    return open_odbc(target.odbc);
}

Connection::Connection() : Connection(DriverFactory{}) {}

Connection::Connection(DriverFactory factory) : factory_(std::move(factory)) {
    if (!factory_)
        factory_ = [this](const std::string& text) {
            return open_driver(text, odbc_driver_names_);
        };
}

Connection::~Connection() = default;

void Connection::set_connection_string(std::string connection_string) {
    if (connected())
        throw DatabaseError("connection: the connection string cannot change while it is open");
    connection_string_ = std::move(connection_string);
}

Driver& Connection::open() {
    if (driver_) return *driver_;
    if (before_connect_) before_connect_(*this);
    std::unique_ptr<Driver> driver = factory_(connection_string_);
    if (!driver) throw DatabaseError("connection: no driver for the connection string");
    driver_ = std::move(driver);
    try {
        if (after_connect_) after_connect_(*this);
    } catch (...) {
        driver_.reset();
        throw;
    }
    return *driver_;
}

void Connection::close() {
    driver_.reset();
}

Dialect Connection::dialect() const {
    if (!driver_) throw DatabaseError("connection: not open");
    return driver_->dialect();
}

}  // namespace tov::db
