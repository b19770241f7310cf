#pragma once
// The database connection the queries share. Its connection string is set before it opens; it
// opens itself when the first query opens, running the before-connect handler (which may set
// the string), connecting, and running the after-connect handler; it then stays open.

#include <functional>
#include <memory>
#include <string>

#include "platform/db/connection_string.hpp"
#include "platform/db/driver.hpp"

namespace tov::db {

class Connection {
public:
    using Handler = std::function<void(Connection&)>;
    // Opens a driver for a connection string; the default resolves the string and opens SQLite
    // or ODBC. Tests put their own in its place.
    using DriverFactory =
        std::function<std::unique_ptr<Driver>(const std::string& connection_string)>;

    Connection();
    explicit Connection(DriverFactory factory);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    // Throws tov::DatabaseError while the connection is open.
    void set_connection_string(std::string connection_string);
    const std::string& connection_string() const { return connection_string_; }

    void set_before_connect(Handler handler) { before_connect_ = std::move(handler); }
    void set_after_connect(Handler handler) { after_connect_ = std::move(handler); }
    void set_odbc_driver_names(OdbcDriverNames names) { odbc_driver_names_ = std::move(names); }

    bool connected() const { return driver_ != nullptr; }
    // Connects unless connected; a failure leaves it closed and reaches the caller.
    Driver& open();
    void close();
    // The dialect of the open connection. Throws tov::DatabaseError while it is closed.
    Dialect dialect() const;

private:
    DriverFactory factory_;
    std::string connection_string_;
    OdbcDriverNames odbc_driver_names_;
    Handler before_connect_;
    Handler after_connect_;
    std::unique_ptr<Driver> driver_;
};

// The default driver factory: "Provider=SQLite" opens the file, anything else goes through ODBC.
std::unique_ptr<Driver> open_driver(const std::string& connection_string,
                                    const OdbcDriverNames& names);

}  // namespace tov::db
