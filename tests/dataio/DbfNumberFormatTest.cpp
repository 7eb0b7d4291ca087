#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DbfFieldDecoding.h"
#include "DbfNumberFormat.h"

namespace {

// Right-aligned and rounded; no integer digit below one, except a zero without decimals and a
// value that rounds up to one; no sign on a value that rounds to zero; stars for a field too
// narrow (or a value that is no number); nothing for a width that is none.
TEST(DbfNumberFormatTest, WritesFixedFieldsOfTheirWidth) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int width, decimals;
        const char* expected;
    } cases[] = {
        // clang-format off
        {0.5, 6, 2, "   .50"}, {0.05, 6, 2, "   .05"}, {-0.5, 6, 2, "  -.50"}, {0.0, 4, 2, " .00"},
        {0.996, 6, 2, "  1.00"}, {12.5, 8, 2, "   12.50"}, {-12.5, 8, 2, "  -12.50"},
        {3.14159, 7, 3, "  3.142"}, {-2.71828, 7, 4, "-2.7183"}, {123456.0, 10, 0, "    123456"},
        {-7.6, 4, 0, "  -8"}, {0.0, 3, 0, "  0"}, {0.4, 3, 0, "  0"}, {-0.001, 5, 2, "  .00"},
        {-0.0, 5, 2, "  .00"}, {-0.3, 3, 0, "  0"}, {123.45, 5, 2, "*****"},
        {-12.5, 5, 2, "*****"}, {-12.5, 6, 2, "-12.50"}, {1e300, 20, 2, "********************"},
        {0.5, 2, 2, "**"}, {0.5, 3, 2, ".50"}, {nan, 6, 2, "******"}, {inf, 6, 2, "******"},
        {-inf, 4, 0, "****"}, {1.0, 0, 0, ""}, {1.0, -3, 0, ""}, {1.0, 4, 1000, "****"},
        {2.5, 4, -1, "   2"},  // half to even: 2.5 is exact
        // clang-format on
    };
    for (const auto& test : cases)
        EXPECT_EQ(formatDbfNumber(test.value, test.width, test.decimals), test.expected)
            << test.value << " in " << test.width << "." << test.decimals;
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
