#include "platform/errors/errors.hpp"
#include "platform/format/local_time.hpp"

namespace tov::format {

std::tm local_calendar(std::time_t moment) {
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr) {
        throw ConversionError("the system clock cannot be read as local time");
    }
    return local;
}

long local_utc_offset(std::time_t moment) {
    return local_calendar(moment).tm_gmtoff;
}

}  // namespace tov::format
