#include "platform/format/date_format.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "platform/errors/errors.hpp"

namespace tov::format {
namespace {

double at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, ms);
}

double span(int days, int hours, int minutes, double seconds) {
    return days + (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

TEST(Calendar, EpochAndKnownDays) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2024, 3, 5), 45356.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST(Calendar, DecodeRoundTripsOverLeapYears) {
    for (const auto& [y, m, d] :
         {std::array{2024, 2, 29}, std::array{2000, 2, 29}, std::array{1900, 2, 28},
          std::array{1899, 12, 29}, std::array{1, 1, 1}, std::array{9999, 12, 31}}) {
        int year = 0, month = 0, day = 0;
        // Before the epoch the time counts away from zero: -1.75 is 1899-12-29 18:00.
        const double date = EncodeDate(y, m, d);
        DecodeDate(date < 0 ? date - 0.75 : date + 0.75, year, month, day);
        EXPECT_EQ(year, y);
        EXPECT_EQ(month, m);
        EXPECT_EQ(day, d);
    }
}

TEST(Calendar, TimeBeforeTheEpoch) {
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", -1.25), "29/12/1899 06:00");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", -0.25), "30/12/1899 06:00");
    int hour = 0, minute = 0, second = 0, ms = 0;
    DecodeTime(-1.5, hour, minute, second, ms);
    EXPECT_EQ(hour, 12);
}

TEST(Calendar, RejectsDatesAndTimesThatDoNotExist) {
    EXPECT_THROW(EncodeDate(2023, 2, 29), ConversionError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), ConversionError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), ConversionError);
    EXPECT_THROW(EncodeDate(0, 1, 1), ConversionError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), ConversionError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), ConversionError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), ConversionError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), ConversionError);
    int y = 0, m = 0, d = 0;
    EXPECT_THROW(DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d), ConversionError);
    EXPECT_THROW(DecodeDate(3e6, y, m, d), ConversionError);
    EXPECT_THROW(FormatDateTime("dd", std::numeric_limits<double>::infinity()), ConversionError);
}

TEST(FormatDateTime, DocumentPatterns) {
    const double moment = at(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(FormatDateTime("DD/MM/YYYY hh:mm", moment), "05/03/2024 14:07");
    EXPECT_EQ(FormatDateTime("hh:mm:ss", moment), "14:07:09");
    EXPECT_EQ(DateToStr(moment), "05/03/2024");
    EXPECT_EQ(FormatDateTime("ddddd", moment), "05/03/2024");
    EXPECT_EQ(FormatDateTime("c", moment), "05/03/2024 14:07:09");
    EXPECT_EQ(DateTimeToStr(moment), "05/03/2024 14:07:09");
    EXPECT_EQ(DateTimeToStr(at(2024, 3, 5)), "05/03/2024");
    EXPECT_EQ(TimeToStr(moment), "14:07:09");
    EXPECT_EQ(FormatDateTime("t", moment), "14:07");
}

TEST(FormatDateTime, PaddingAndShortForms) {
    const double moment = at(2007, 1, 2, 22, 0, 5, 40);
    EXPECT_EQ(FormatDateTime("h:n:s", moment), "22:0:5");
    EXPECT_EQ(FormatDateTime("d/m/yy", moment), "2/1/07");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", moment), "2007-01-02");
    EXPECT_EQ(FormatDateTime("s.zzz", moment), "5.040");
    EXPECT_EQ(FormatDateTime("s.z", moment), "5.40");
    EXPECT_EQ(FormatDateTime("", moment), "02/01/2007 22:00:05");
}

TEST(FormatDateTime, PortugueseNames) {
    EXPECT_EQ(FormatDateTime("ddd dddd", at(2024, 3, 2)),
              "s\xE1"
              "b s\xE1"
              "bado");
    EXPECT_EQ(FormatDateTime("ddd dddd", at(2024, 3, 3)), "dom domingo");
    EXPECT_EQ(FormatDateTime("dddd", at(2024, 3, 5)),
              "ter\xE7"
              "a-feira");
    EXPECT_EQ(FormatDateTime("mmm mmmm", at(2024, 3, 5)),
              "mar mar\xE7"
              "o");
    EXPECT_EQ(FormatDateTime("d 'de' mmmm 'de' yyyy", at(2024, 12, 25)), "25 de dezembro de 2024");
    EXPECT_EQ(FormatDateTime("dddd", at(1899, 12, 30)),
              "s\xE1"
              "bado");
}

TEST(FormatDateTime, MinutesAfterHours) {
    const double moment = at(2024, 3, 5, 9, 41);
    EXPECT_EQ(FormatDateTime("hh:mm mm/yyyy", moment), "09:41 03/2024");
    EXPECT_EQ(FormatDateTime("h'h'm", moment), "9h41");
    EXPECT_EQ(FormatDateTime("mm hh", moment), "03 09");
}

TEST(FormatDateTime, TwelveHourClock) {
    EXPECT_EQ(FormatDateTime("h:nn am/pm", at(2024, 3, 5, 14, 5)), "2:05 pm");
    EXPECT_EQ(FormatDateTime("hh:nn AM/PM", at(2024, 3, 5, 0, 5)), "12:05 AM");
    EXPECT_EQ(FormatDateTime("h a/p", at(2024, 3, 5, 11, 0)), "11 a");
    EXPECT_EQ(FormatDateTime("h A/P", at(2024, 3, 5, 12, 0)), "12 P");
    EXPECT_EQ(FormatDateTime("h ampm", at(2024, 3, 5, 23, 0)), "11 PM");
    // The next hour field ends the search for am/pm.
    EXPECT_EQ(FormatDateTime("h h am/pm", at(2024, 3, 5, 23, 0)), "23 11 pm");
}

TEST(FormatDateTime, RegionalSeparatorsAndLiterals) {
    FormatSettings settings;
    settings.date_separator = '-';
    settings.time_separator = '.';
    settings.short_date_format = "yyyy/mm/dd";
    const double moment = at(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(FormatDateTime("c", moment, settings), "2024-03-05 14.07.09");
    EXPECT_EQ(FormatDateTime("'hh:mm' \"/\" hh", moment, settings), "hh:mm / 14");
    EXPECT_EQ(FormatDateTime("dd 'unterminated", moment, settings), "05 unterminated");
}

TEST(FormatDateTime, NestedFormatsStopExpanding) {
    FormatSettings settings;
    settings.short_date_format = "ddddd";  // names itself: expands once, then stops
    EXPECT_EQ(FormatDateTime("[ddddd]", at(2024, 3, 5), settings), "[]");
}

TEST(FormatDateTime, SpansShowTheTimeOfDay) {
    EXPECT_EQ(FormatDateTime("hh:mm:ss", span(1, 2, 30, 15)), "02:30:15");
    EXPECT_EQ(FormatDateTime("hh:mm:ss", span(2, 23, 59, 59)), "23:59:59");
    EXPECT_EQ(FormatDateTime("hh:mm:ss", -span(0, 1, 2, 3)), "01:02:03");
}

TEST(FormatDateTime, MillisecondsRoundBeforeSplitting) {
    EXPECT_EQ(FormatDateTime("hh:mm:ss", span(0, 0, 0, 59.9996)), "00:01:00");
    EXPECT_EQ(FormatDateTime("hh:mm:ss", span(0, 0, 0, 59.9994)), "00:00:59");
    EXPECT_EQ(FormatDateTime("dd hh:mm:ss.zzz", at(2024, 3, 5, 23, 59, 59, 999) + 0.6 / 86400000),
              "06 00:00:00.000");
}

TEST(StrToDate, ReadsTheShortDateOrder) {
    EXPECT_EQ(StrToDate("05/03/2024"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 5/3/2024 "), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate("05/03/24"), EncodeDate(2024, 3, 5));
    FormatSettings us;
    us.short_date_format = "M/d/yyyy";
    EXPECT_EQ(StrToDate("3/5/2024", us), EncodeDate(2024, 3, 5));
    FormatSettings iso;
    iso.short_date_format = "yyyy-mm-dd";
    iso.date_separator = '-';
    EXPECT_EQ(StrToDate("2024-03-05", iso), EncodeDate(2024, 3, 5));
}

TEST(StrToDate, RejectsWhatIsNoDate) {
    for (const char* text : {"", "abc", "31/02/2024", "05/13/2024", "05-03-2024", "05/03",
                             "05/03/2024 10:00", "05//2024", "1/1/10000", "00/01/2024"}) {
        EXPECT_THROW(StrToDate(text), ConversionError) << text;
    }
    try {
        StrToDate("31/02/2024");
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'31/02/2024' is not a valid date");
    }
}

}  // namespace
}  // namespace tov::format
