#pragma once
// The system clock's local time: the calendar fields of a moment and the zone's offset from UTC.

#include <ctime>

namespace tov::format {

// The calendar fields of the moment in the local time zone. Throws tov::ConversionError when
// the system cannot tell them.
std::tm local_calendar(std::time_t moment);

// Seconds east of UTC of the local time zone at the moment, daylight saving time included.
long local_utc_offset(std::time_t moment);

}  // namespace tov::format
