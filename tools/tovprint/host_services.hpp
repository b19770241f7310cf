#pragma once
// tovprint's host services: a tov_host table that fixes the clock when a date-time is given
// (so that a document's date is stable) and leaves every other service to the package's
// built-in default (the printer table of TOV_PRINTERS, the connection string of TOV_CONNECTION).

#include <optional>

#include "tov00000/tov00000.h"

namespace tovprint {

class HostServices {
public:
    // now: days since 1899-12-30, or nothing for the system clock.
    explicit HostServices(std::optional<double> now) : now_(now) {}
    HostServices(const HostServices&) = delete;
    HostServices& operator=(const HostServices&) = delete;

    // The table to register with Tov_SetHost; its ctx is this object.
    tov_host table();

    double now() const { return *now_; }

private:
    std::optional<double> now_;
};

}  // namespace tovprint
