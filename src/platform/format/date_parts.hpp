#pragma once
// A date-time value split into its calendar and clock parts.

namespace tov::format {

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
    int day_of_week = 0;  // 0 = Sunday
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Rounds to the nearest millisecond, then splits; throws tov::ConversionError outside the
// years 1 to 9999.
DateParts split_date_time(double date_time);

// Days since 1899-12-30 of a valid calendar date (not checked).
long long days_from_date(int year, int month, int day);

bool is_valid_date(int year, int month, int day);

}  // namespace tov::format
