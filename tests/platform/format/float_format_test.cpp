#include "platform/format/float_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/errors/errors.hpp"

namespace tov::format {
namespace {

// One row of the reference table (Brazilian settings): the value and its text in each routine.
struct Row {
    double value;
    const char* grouped;     // FormatFloat "#,##0.00"
    const char* three_int;   // FormatFloat "#,000.00"
    const char* plain;       // FormatFloat "###0.00"
    const char* zero_two;    // FormatFloat "0.00"
    const char* fixed_15_2;  // FloatToStrF Fixed 15,2
    const char* fixed_15_3;  // FloatToStrF Fixed 15,3
    const char* fixed_13_2;  // FloatToStrF Fixed 13,2
    const char* currency;    // FloatToStrF Currency 15,2
    const char* general;     // FloatToStr
};

const std::vector<Row>& reference_rows() {
    static const std::vector<Row> rows = {
        {0, "0,00", "000,00", "0,00", "0,00", "0,00", "0,000", "0,00", "R$ 0,00", "0"},
        {7.5, "7,50", "007,50", "7,50", "7,50", "7,50", "7,500", "7,50", "R$ 7,50", "7,5"},
        {1234.5, "1.234,50", "1.234,50", "1234,50", "1234,50", "1234,50", "1234,500", "1234,50",
         "R$ 1.234,50", "1234,5"},
        {-1234.5, "-1.234,50", "-1.234,50", "-1234,50", "-1234,50", "-1234,50", "-1234,500",
         "-1234,50", "-R$ 1.234,50", "-1234,5"},
        // Doubles just below a half cent round down; 18 digits are rounded once, not twice.
        {1.005, "1,00", "001,00", "1,00", "1,00", "1,00", "1,005", "1,00", "R$ 1,00", "1,005"},
        {2.675, "2,67", "002,67", "2,67", "2,67", "2,67", "2,675", "2,67", "R$ 2,67", "2,675"},
        {299.815, "299,81", "299,81", "299,81", "299,81", "299,81", "299,815", "299,81",
         "R$ 299,81", "299,815"},
        // Exact halves round away from zero (printf would give 0,12).
        {0.125, "0,13", "000,13", "0,13", "0,13", "0,13", "0,125", "0,13", "R$ 0,13", "0,125"},
        {0.005, "0,01", "000,01", "0,01", "0,01", "0,01", "0,005", "0,01", "R$ 0,01", "0,005"},
        {-0.005, "-0,01", "-000,01", "-0,01", "-0,01", "-0,01", "-0,005", "-0,01", "-R$ 0,01",
         "-0,005"},
        // A negative value that rounds to zero loses its sign.
        {-0.001, "0,00", "000,00", "0,00", "0,00", "0,00", "-0,001", "0,00", "R$ 0,00", "-0,001"},
        // More integer digits than the precision: general notation, no currency symbol.
        {1e15, "1.000.000.000.000.000,00", "1.000.000.000.000.000,00", "1000000000000000,00",
         "1000000000000000,00", "1E15", "1E15", "1E15", "1E15", "1E15"},
        {1234567890123456, "1.234.567.890.123.456,00", "1.234.567.890.123.456,00",
         "1234567890123456,00", "1234567890123456,00", "1,23456789012346E15", "1,23456789012346E15",
         "1,234567890123E15", "1,23456789012346E15", "1,23456789012346E15"},
        // Precision 13 keeps 13 significant digits and pads the decimals with zeros.
        {123456789012.345, "123.456.789.012,35", "123.456.789.012,35", "123456789012,35",
         "123456789012,35", "123456789012,35", "123456789012,345", "123456789012,30",
         "R$ 123.456.789.012,35", "123456789012,345"},
        // Rounding to 13 digits carries into a 14th integer digit.
        {9999999999999.995, "9.999.999.999.999,99", "9.999.999.999.999,99", "9999999999999,99",
         "9999999999999,99", "9999999999999,99", "9999999999999,990", "1E13",
         "R$ 9.999.999.999.999,99", "9999999999999,99"},
    };
    return rows;
}

class ReferenceTable : public ::testing::TestWithParam<Row> {};

TEST_P(ReferenceTable, FormatFloatPatterns) {
    const Row& row = GetParam();
    EXPECT_EQ(FormatFloat("#,##0.00", row.value), row.grouped);
    EXPECT_EQ(FormatFloat("#,000.00", row.value), row.three_int);
    EXPECT_EQ(FormatFloat("###0.00", row.value), row.plain);
    EXPECT_EQ(FormatFloat("0.00", row.value), row.zero_two);
}

TEST_P(ReferenceTable, FixedNotation) {
    const Row& row = GetParam();
    EXPECT_EQ(FloatToStrF(row.value, FloatFormat::Fixed, 15, 2), row.fixed_15_2);
    EXPECT_EQ(FloatToStrF(row.value, FloatFormat::Fixed, 15, 3), row.fixed_15_3);
    EXPECT_EQ(FloatToStrF(row.value, FloatFormat::Fixed, 13, 2), row.fixed_13_2);
}

TEST_P(ReferenceTable, CurrencyAndGeneral) {
    const Row& row = GetParam();
    EXPECT_EQ(FloatToStrF(row.value, FloatFormat::Currency, 15, 2), row.currency);
    EXPECT_EQ(FloatToStr(row.value), row.general);
}

INSTANTIATE_TEST_SUITE_P(BrazilianSettings, ReferenceTable, ::testing::ValuesIn(reference_rows()));

TEST(FormatFloat, ThreeMandatoryIntegerDigits) {
    EXPECT_EQ(FormatFloat("#,000.00", 12.5), "012,50");
    EXPECT_EQ(FormatFloat("#,000.00", 123.5), "123,50");
    EXPECT_EQ(FormatFloat("#,000.00", 0.5), "000,50");
}

TEST(FormatFloat, OptionalDigitsAndLiterals) {
    EXPECT_EQ(FormatFloat("#.##", 0.5), ",5");
    EXPECT_EQ(FormatFloat("0.##", 1), "1");
    EXPECT_EQ(FormatFloat("0.##", 1.25), "1,25");
    EXPECT_EQ(FormatFloat("0.0#", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("0.0#", 2), "2,0");
    EXPECT_EQ(FormatFloat("#", 0), "");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat("0 %", 12), "12 %");
    EXPECT_EQ(FormatFloat("'R$ '#,##0.00", 1234.5), "R$ 1.234,50");
    EXPECT_EQ(FormatFloat("\"#0\" 0", 7), "#0 7");
    EXPECT_EQ(FormatFloat("00-00", 1234), "12-34");
    EXPECT_EQ(FormatFloat("0.00", 123456789), "123456789,00");
    EXPECT_EQ(FormatFloat("0 'unterminated", 3), "3 unterminated");
}

TEST(FormatFloat, Sections) {
    const char* pattern = "#,##0.00;(#,##0.00);'zero'";
    EXPECT_EQ(FormatFloat(pattern, 1234.5), "1.234,50");
    EXPECT_EQ(FormatFloat(pattern, -1234.5), "(1.234,50)");
    EXPECT_EQ(FormatFloat(pattern, 0), "zero");
    EXPECT_EQ(FormatFloat(pattern, 0.001), "zero");
    EXPECT_EQ(FormatFloat(pattern, -0.001), "zero");
    // An empty negative section falls back to the first one with a minus sign.
    EXPECT_EQ(FormatFloat("0.00;;'-'", -2), "-2,00");
    EXPECT_EQ(FormatFloat("0.00;;'-'", 0), "-");
    // The ';' inside quotes does not split.
    EXPECT_EQ(FormatFloat("0';'0", 12), "1;2");
    EXPECT_EQ(FormatFloat("0.0;(0.0)", -0.01), "(0,0)");
}

TEST(FormatFloat, Scientific) {
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1,23E+03");
    EXPECT_EQ(FormatFloat("0.00E-00", 1234.5), "1,23E03");
    EXPECT_EQ(FormatFloat("0.00e+0", 0.00012345), "1,23e-4");
    EXPECT_EQ(FormatFloat("0.00E+00", 0), "0,00E+00");
}

TEST(FormatFloat, GeneralFallbacks) {
    EXPECT_EQ(FormatFloat("", 2.5), "2,5");
    // 18 integer digits still print in full, 19 do not.
    EXPECT_EQ(FormatFloat("0.00", 1e17), "100000000000000000,00");
    EXPECT_EQ(FormatFloat("0.00", 1e18), "1E18");
    EXPECT_EQ(FormatFloat("0.00", 1e19), "1E19");
    EXPECT_EQ(FormatFloat("0.00", -1e19), "-1E19");
}

TEST(FormatFloat, SpecialValues) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStrF(-std::numeric_limits<double>::infinity(), FloatFormat::Currency, 15, 2),
              "-INF");
}

TEST(FormatFloat, OtherSeparators) {
    FormatSettings us;
    us.decimal_separator = '.';
    us.thousand_separator = ',';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, us), "1,234,567.89");
    EXPECT_EQ(FloatToStr(2.5, us), "2.5");
}

TEST(FloatToStr, ShortestGeneralForm) {
    EXPECT_EQ(FloatToStr(3), "3");
    EXPECT_EQ(FloatToStr(30), "30");
    EXPECT_EQ(FloatToStr(2.5), "2,5");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
    EXPECT_EQ(FloatToStr(0.0001), "0,0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(-0.0), "0");
}

TEST(FloatToStrF, NumberGeneralAndExponent) {
    EXPECT_EQ(FloatToStrF(1234567.5, FloatFormat::Number, 15, 2), "1.234.567,50");
    EXPECT_EQ(FloatToStrF(-0.5, FloatFormat::Number, 15, 0), "-1");
    EXPECT_EQ(FloatToStrF(0.5, FloatFormat::Fixed, 15, 2), "0,50");
    EXPECT_EQ(FloatToStrF(1e20, FloatFormat::General, 15, 4), "1E0020");
    EXPECT_EQ(FloatToStrF(1234.5, FloatFormat::Exponent, 4, 2), "1,235E+03");
    EXPECT_EQ(FloatToStrF(-0.00012, FloatFormat::Exponent, 3, 0), "-1,20E-4");
    EXPECT_EQ(FloatToStrF(0, FloatFormat::Exponent, 3, 2), "0,00E+00");
    // Precision is held within 2..18.
    EXPECT_EQ(FloatToStrF(7.25, FloatFormat::Fixed, 0, 2), "7,30");
    EXPECT_EQ(FloatToStrF(0.1, FloatFormat::Fixed, 40, 20), "0,100000000000000006");
}

struct CurrencyCase {
    int format;
    const char* text;
};

TEST(FloatToStrF, EveryPositiveCurrencyFormat) {
    const CurrencyCase cases[] = {{0, "R$1,50"}, {1, "1,50R$"}, {2, "R$ 1,50"}, {3, "1,50 R$"}};
    for (const CurrencyCase& c : cases) {
        FormatSettings settings;
        settings.currency_format = c.format;
        EXPECT_EQ(FloatToStrF(1.5, FloatFormat::Currency, 15, 2, settings), c.text) << c.format;
    }
}

TEST(FloatToStrF, EveryNegativeCurrencyFormat) {
    const CurrencyCase cases[] = {
        {0, "(R$1.234,50)"},  {1, "-R$1.234,50"},   {2, "R$-1.234,50"},    {3, "R$1.234,50-"},
        {4, "(1.234,50R$)"},  {5, "-1.234,50R$"},   {6, "1.234,50-R$"},    {7, "1.234,50R$-"},
        {8, "-1.234,50 R$"},  {9, "-R$ 1.234,50"},  {10, "1.234,50 R$-"},  {11, "R$ 1.234,50-"},
        {12, "R$ -1.234,50"}, {13, "1.234,50- R$"}, {14, "(R$ 1.234,50)"}, {15, "(1.234,50 R$)"},
    };
    for (const CurrencyCase& c : cases) {
        FormatSettings settings;
        settings.negative_currency_format = c.format;
        EXPECT_EQ(FloatToStrF(-1234.5, FloatFormat::Currency, 15, 2, settings), c.text) << c.format;
    }
}

TEST(FormatSettings, ValidationNamesTheBadMember) {
    EXPECT_NO_THROW(validate(FormatSettings{}));
    const auto message_for = [](FormatSettings settings) -> std::string {
        try {
            validate(settings);
        } catch (const ArgumentError& error) {
            return error.what();
        }
        return "";
    };
    FormatSettings settings;
    settings.decimal_separator = '\0';
    EXPECT_NE(message_for(settings).find("decimal_separator"), std::string::npos);
    settings = {};
    settings.currency_format = 4;
    EXPECT_NE(message_for(settings).find("currency_format is 4"), std::string::npos);
    settings = {};
    settings.negative_currency_format = -1;
    EXPECT_NE(message_for(settings).find("negative_currency_format"), std::string::npos);
    settings = {};
    settings.currency_decimals = 19;
    EXPECT_NE(message_for(settings).find("currency_decimals"), std::string::npos);
    settings = {};
    settings.short_date_format.clear();
    EXPECT_NE(message_for(settings).find("short_date_format"), std::string::npos);
    settings = {};
    settings.thousand_separator = ',';  // the same as the decimal separator
    EXPECT_NE(message_for(settings).find("both ','"), std::string::npos);
    settings = {};
    settings.decimal_separator = '5';
    EXPECT_NE(message_for(settings).find("decimal_separator is the digit '5'"), std::string::npos);
    settings = {};
    settings.thousand_separator = '0';
    EXPECT_NE(message_for(settings).find("thousand_separator is the digit '0'"), std::string::npos);
}

TEST(FloatToStrF, CurrencyRejectsBadSettings) {
    FormatSettings settings;
    settings.negative_currency_format = 16;
    EXPECT_THROW(FloatToStrF(-1, FloatFormat::Currency, 15, 2, settings), ArgumentError);
}

// The 10 % service charge of R$ 12,35: computed in double it lies above the half cent, kept in
// 80 bits (as an x87 intermediate would be) it lies below.
TEST(ExtendedIntermediates, ServiceChargeOfOddCents) {
    const double amount = 12.35;
    const double in_double = amount * 10 / 100;
    const long double in_extended = static_cast<long double>(amount) * 10 / 100;
    EXPECT_EQ(FormatFloat("#,##0.00", in_double), "1,24");
    EXPECT_EQ(FormatFloat("#,##0.00", in_extended), "1,23");
    EXPECT_EQ(FloatToStrF(in_double, FloatFormat::Fixed, 15, 2), "1,24");
    EXPECT_EQ(FloatToStrF(in_extended, FloatFormat::Fixed, 15, 2), "1,23");
}

TEST(StrToFloat, ReadsRegionalNumbers) {
    EXPECT_EQ(StrToFloat("12,5"), 12.5L);
    EXPECT_EQ(StrToFloat("  -3  "), -3.0L);
    EXPECT_EQ(StrToFloat("+,5"), 0.5L);
    EXPECT_EQ(StrToFloat("7,"), 7.0L);
    EXPECT_EQ(StrToFloat("1,5E3"), 1500.0L);
    EXPECT_EQ(StrToFloat("25e-1"), 2.5L);
    EXPECT_EQ(StrToFloat("299,81"), 299.81L);
    // The text of FormatFloat("###0.00", x) reads back as the rounded amount.
    EXPECT_EQ(static_cast<double>(StrToFloat(FormatFloat("###0.00", 1.005))), 1.0);
}

TEST(StrToFloat, RejectsWhatIsNoNumber) {
    for (const char* text : {"abc", "", " ", "1.5", "1.234,5", "1,2,3", "e5", "1e", "1e+", "--1",
                             "1 2", ",", "INF", "NAN", "1e99999", "0x10"}) {
        long double value = 42;
        EXPECT_FALSE(TryStrToFloat(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
        EXPECT_THROW(StrToFloat(text), ConversionError) << text;
    }
    try {
        StrToFloat("abc");
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid number");
    }
}

TEST(StrToFloat, OtherDecimalSeparator) {
    FormatSettings us;
    us.decimal_separator = '.';
    EXPECT_EQ(StrToFloat("1.5", us), 1.5L);
    EXPECT_THROW(StrToFloat("1,5", us), ConversionError);
}

}  // namespace
}  // namespace tov::format
