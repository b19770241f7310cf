#include "cli/date_time_text.hpp"

#include <gtest/gtest.h>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

TEST(DateTimeText, CountsDaysFromTheEpochOf1899December30) {
    EXPECT_DOUBLE_EQ(parse_date_time("1899-12-30"), 0.0);
    EXPECT_DOUBLE_EQ(parse_date_time("1899-12-29"), -1.0);
    EXPECT_DOUBLE_EQ(parse_date_time("2000-01-01"), 36526.0);
    EXPECT_DOUBLE_EQ(parse_date_time("0001-01-01"), -693593.0);
}

TEST(DateTimeText, AddsTheTimeOfDayAsTheFraction) {
    EXPECT_DOUBLE_EQ(parse_date_time("2026-12-08 14:30"), 46364.0 + 14.5 / 24.0);
    EXPECT_DOUBLE_EQ(parse_date_time("2026-12-08T06:00:36"), 46364.0 + 0.25 + 36.0 / 86400.0);
}

TEST(DateTimeText, RejectsWhatIsNoDateTime) {
    for (const char* text : {"", "2026", "2026-12-8", "2026/12/08", "2025-02-29",
                             "2026-12-08 24:00", "2026-12-08 14:60", "2026-12-08 14:30:5",
                             "2026-12-08 14:30 ", "0000-01-01", "2026-12-08 14", "+026-12-08"}) {
        EXPECT_THROW(parse_date_time(text), tov::ConversionError) << text;
    }
}

}  // namespace
}  // namespace tovprint
