#include "lookups/short_date.hpp"

#include <gtest/gtest.h>

#include "platform/errors/errors.hpp"

namespace tov::lookups {
namespace {

format::FormatSettings with_format(std::string format, char separator = '/') {
    format::FormatSettings settings;
    settings.short_date_format = std::move(format);
    settings.date_separator = separator;
    return settings;
}

TEST(ShortDate, TheDefaultFormatIsTheTextSqlServerWritesInStyle103) {
    EXPECT_EQ(format_short_date(45356.75, format::FormatSettings{}), "05/03/2024");
    EXPECT_EQ(format_short_date(0, format::FormatSettings{}), "30/12/1899");
    EXPECT_EQ(format_short_date(-1.25, format::FormatSettings{}), "29/12/1899");
    EXPECT_EQ(format_short_date(45351, format::FormatSettings{}), "29/02/2024");
}

TEST(ShortDate, TokensSeparatorsAndQuotedText) {
    EXPECT_EQ(format_short_date(45356, with_format("d/m/yy")), "5/3/24");
    EXPECT_EQ(format_short_date(45356, with_format("yyyy/mm/dd", '-')), "2024-03-05");
    EXPECT_EQ(format_short_date(45356, with_format("dd.MM.yyyy 'day'")), "05.03.2024 day");
}

TEST(ShortDate, NamesAndDatesOutsideTheCalendarAreErrors) {
    EXPECT_THROW(format_short_date(45356, with_format("dd/mmm/yyyy")), ConversionError);
    EXPECT_THROW(format_short_date(45356, with_format("ddd dd/mm")), ConversionError);
    EXPECT_THROW(format_short_date(3e6, format::FormatSettings{}), ConversionError);
    EXPECT_THROW(
        format_short_date(std::numeric_limits<double>::quiet_NaN(), format::FormatSettings{}),
        ConversionError);
}

}  // namespace
}  // namespace tov::lookups
