#include "platform/errors/errors.hpp"
#include "platform/format/local_time.hpp"

namespace tov::format {

std::tm local_calendar(std::time_t moment) {
    std::tm local{};
    if (localtime_s(&local, &moment) != 0) {
        throw ConversionError("the system clock cannot be read as local time");
    }
    return local;
}

long local_utc_offset(std::time_t moment) {
    // The local calendar fields read back as if they were UTC lie the offset away from the
    // moment.
    std::tm local = local_calendar(moment);
    const std::time_t as_utc = _mkgmtime(&local);
    if (as_utc == static_cast<std::time_t>(-1)) {
        throw ConversionError("the system clock cannot be read as local time");
    }
    return static_cast<long>(as_utc - moment);
}

}  // namespace tov::format
