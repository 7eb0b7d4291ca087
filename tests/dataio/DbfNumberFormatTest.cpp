#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DbfFieldDecoding.h"
#include "DbfNumberFormat.h"

namespace {

TEST(DbfNumberFormatTest, WritesNoIntegerDigitsBelowOne) {
    EXPECT_EQ(formatDbfNumber(0.5, 6, 2), "   .50");
    EXPECT_EQ(formatDbfNumber(0.05, 6, 2), "   .05");
    EXPECT_EQ(formatDbfNumber(-0.5, 6, 2), "  -.50");
    EXPECT_EQ(formatDbfNumber(0.0, 4, 2), " .00");
    // 0.996 rounds to 1.00 and so has its integer digit.
    EXPECT_EQ(formatDbfNumber(0.996, 6, 2), "  1.00");
}

TEST(DbfNumberFormatTest, RightAlignsRoundedValues) {
    EXPECT_EQ(formatDbfNumber(12.5, 8, 2), "   12.50");
    EXPECT_EQ(formatDbfNumber(-12.5, 8, 2), "  -12.50");
    EXPECT_EQ(formatDbfNumber(3.14159, 7, 3), "  3.142");
    EXPECT_EQ(formatDbfNumber(-2.71828, 7, 4), "-2.7183");
    EXPECT_EQ(formatDbfNumber(123456.0, 10, 0), "    123456");
    EXPECT_EQ(formatDbfNumber(-7.6, 4, 0), "  -8");
}

TEST(DbfNumberFormatTest, WritesAZeroWithoutDecimalsAsADigit) {
    EXPECT_EQ(formatDbfNumber(0.0, 3, 0), "  0");
    EXPECT_EQ(formatDbfNumber(0.4, 3, 0), "  0");
}

TEST(DbfNumberFormatTest, DropsTheSignOfAValueThatRoundsToZero) {
    EXPECT_EQ(formatDbfNumber(-0.001, 5, 2), "  .00");
    EXPECT_EQ(formatDbfNumber(-0.0, 5, 2), "  .00");
    EXPECT_EQ(formatDbfNumber(-0.3, 3, 0), "  0");
}

TEST(DbfNumberFormatTest, FillsAFieldTooNarrowWithStars) {
    EXPECT_EQ(formatDbfNumber(123.45, 5, 2), "*****");
    EXPECT_EQ(formatDbfNumber(-12.5, 5, 2), "*****");
    EXPECT_EQ(formatDbfNumber(-12.5, 6, 2), "-12.50");  // exactly fits
    EXPECT_EQ(formatDbfNumber(1e300, 20, 2), std::string(20, '*'));
    EXPECT_EQ(formatDbfNumber(0.5, 2, 2), "**");  // no room for the point
    EXPECT_EQ(formatDbfNumber(0.5, 3, 2), ".50");
}

TEST(DbfNumberFormatTest, FillsWithStarsForValuesThatAreNotNumbers) {
    EXPECT_EQ(formatDbfNumber(std::numeric_limits<double>::quiet_NaN(), 6, 2), "******");
    EXPECT_EQ(formatDbfNumber(std::numeric_limits<double>::infinity(), 6, 2), "******");
    EXPECT_EQ(formatDbfNumber(-std::numeric_limits<double>::infinity(), 4, 0), "****");
}

TEST(DbfNumberFormatTest, TreatsBadWidthsAndDecimalsSafely) {
    EXPECT_EQ(formatDbfNumber(1.0, 0, 0), "");
    EXPECT_EQ(formatDbfNumber(1.0, -3, 0), "");
    EXPECT_EQ(formatDbfNumber(2.5, 4, -1), "   2");  // rounds half to even: 2.5 is exact
    EXPECT_EQ(formatDbfNumber(1.0, 4, 1000), "****");
}

TEST(DbfNumberFormatTest, ReadsBackAsTheRoundedValue) {
    for (double value : {0.0, 0.05, -0.05, 1.5, -1234.5678, 98765.4321, 1e-7}) {
        const std::string text = formatDbfNumber(value, 12, 3);
        ASSERT_EQ(text.size(), 12u) << value;
        EXPECT_DOUBLE_EQ(parseDbfNumber(text), std::round(value * 1000.0) / 1000.0)
            << value << " as \"" << text << "\"";
    }
}

}  // namespace
