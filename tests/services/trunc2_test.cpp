#include "services/trunc2.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tov::services {
namespace {

struct Case {
    long double value;
    double expected;
};

TEST(Trunc2, DropsTheDigitsAfterTheSecondDecimal) {
    const Case cases[] = {
        {2.999L, 2.99}, {2.991L, 2.99}, {0.009L, 0.0},     {12.345L, 12.34},
        {7.0L, 7.0},    {0.1L, 0.1},    {100.005L, 100.0}, {19.99L, 19.99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trunc2(c.value), c.expected) << static_cast<double>(c.value);
    }
}

TEST(Trunc2, BinaryNoiseCostsNoCent) {
    const double price = 0.29;
    EXPECT_EQ(static_cast<long long>(price * 100), 28);  // the trap Trunc2 must avoid
    EXPECT_EQ(Trunc2(price), 0.29);

    const double three_at_1_15 = 1.15 * 3;  // 3.4499999999999997 in binary
    EXPECT_LT(three_at_1_15, 3.45);
    EXPECT_EQ(Trunc2(three_at_1_15), 3.45);

    const double ten_percent_of_24_70 = 24.70 * 10 / 100 * 100;
    EXPECT_EQ(Trunc2(ten_percent_of_24_70), 247.0);
    EXPECT_EQ(Trunc2(24.70 * 10 / 100), 2.47);
    EXPECT_EQ(Trunc2(0.1 + 0.2), 0.3);
}

TEST(Trunc2, TakesTheExtendedPrecisionOfALongDouble) {
    const long double extended = 24.70L * 10 / 100 * 100;
    EXPECT_EQ(Trunc2(extended), 247.0);
    EXPECT_EQ(Trunc2(1.15L * 3), 3.45);
}

TEST(Trunc2, TruncatesNegativeAmountsTowardZero) {
    EXPECT_EQ(Trunc2(-2.999L), -2.99);
    EXPECT_EQ(Trunc2(-0.29L), -0.29);
    EXPECT_EQ(Trunc2(-(1.15 * 3)), -3.45);
}

TEST(Trunc2, GivesAPositiveZero) {
    for (const long double value : {0.0L, -0.0L, -0.004L, 0.0099L, -1e-300L}) {
        const double result = Trunc2(value);
        EXPECT_EQ(result, 0.0);
        EXPECT_FALSE(std::signbit(result)) << static_cast<double>(value);
    }
}

TEST(Trunc2, KeepsTheThirdDecimalOfLargeAmounts) {
    EXPECT_EQ(Trunc2(1e12 + 0.019), 1e12 + 0.01);
    EXPECT_EQ(Trunc2(-(1e12 + 0.019)), -(1e12 + 0.01));
    EXPECT_EQ(Trunc2(123456789.999), 123456789.99);
    EXPECT_EQ(Trunc2(9007199254740993.0L), 9007199254740992.0);
    EXPECT_EQ(Trunc2(1e30L), static_cast<double>(1e30L));
}

TEST(Trunc2, AValueJustBelowACentCountsAsThatCent) {
    EXPECT_EQ(Trunc2(0.0099999999999999999L), 0.01);
    EXPECT_EQ(Trunc2(2.9999999999999996), 3.0);
}

TEST(Trunc2, PassesNaNAndInfinitiesThrough) {
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Trunc2(infinity), infinity);
    EXPECT_EQ(Trunc2(-infinity), -infinity);
    EXPECT_TRUE(std::isnan(Trunc2(std::numeric_limits<long double>::quiet_NaN())));
}

}  // namespace
}  // namespace tov::services
