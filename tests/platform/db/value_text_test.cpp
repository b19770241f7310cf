#include "platform/db/value_text.hpp"

#include <gtest/gtest.h>

#include "platform/errors/errors.hpp"

namespace tov::db {
namespace {

TEST(ValueText, NumbersInTheFormsDriversWrite) {
    EXPECT_EQ(number_from_text("-1234.5"), -1234.5);
    EXPECT_EQ(number_from_text(".50"), 0.5);
    EXPECT_EQ(number_from_text("-.5"), -0.5);
    EXPECT_EQ(number_from_text("1e-05"), 1e-05);
    EXPECT_THROW(number_from_text(""), ConversionError);
    EXPECT_THROW(number_from_text("12,5"), ConversionError);
    EXPECT_THROW(number_from_text("1.5x"), ConversionError);
}

TEST(ValueText, DecimalsBecomePlainText) {
    EXPECT_EQ(plain_decimal(".50"), "0.50");
    EXPECT_EQ(plain_decimal("-1234.50"), "-1234.50");
    EXPECT_EQ(plain_decimal("1E+2"), "100");
    EXPECT_THROW(plain_decimal("abc"), ConversionError);
}

TEST(ValueText, DateTimesAreDaysSince18991230) {
    EXPECT_EQ(date_time_from_text("1899-12-30"), 0.0);
    EXPECT_EQ(date_time_from_text("2024-03-05"), 45356.0);
    EXPECT_EQ(date_time_from_text("2024-03-05 18:00:00"), 45356.75);
    EXPECT_EQ(date_time_from_text("2024-03-05T06:00"), 45356.25);
    EXPECT_NEAR(date_time_from_text("2024-03-05 00:00:00.500000"), 45356.0 + 0.5 / 86400, 1e-9);
    EXPECT_EQ(date_time_from_text("1899-12-29 06:00:00"), -1.25)
        << "before the epoch the time counts onwards";
    EXPECT_EQ(date_time_from_text("2024-02-29"), 45351.0);
}

TEST(ValueText, MalformedDateTimesAreErrors) {
    for (const char* text : {"", "2024-3-05", "2023-02-29", "2024-13-01", "2024-03-05 24:00:00",
                             "2024-03-05X10:00", "2024-03-05 10", "05/03/2024"})
        EXPECT_THROW(date_time_from_text(text), ConversionError) << text;
}

}  // namespace
}  // namespace tov::db
