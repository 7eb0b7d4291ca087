#include <sstream>

#include "LocaleGuard.h"
#include "NumberFormat.h"
#include "SubmatrixGrid.h"
#include "TestData.h"

namespace {

// The cases and why, in number_formats.txt; the grid writes a stored -0 RHS as 0 too.
TEST(NumberFormatTest, FormatsEachValueAsTheGridAndListingsShowIt) {
    std::istringstream cases(testsupport::testData("display/number_formats.txt"));
    int count = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string value, form, expected;
        int decimals = 0;
        fields >> value >> decimals >> form >> expected;
        const double number = std::stod(value);
        EXPECT_EQ(form == "plain" ? formatPlainFixed(number)
                                  : formatNumber(number, decimals, form == "sci"),
                  expected)
            << line;
        ++count;
    }
    EXPECT_EQ(count, 23);
    Submatrix submatrix;
    submatrix.addRow("R", 'E', -2.0f * 0.0f);
    EXPECT_EQ(SubmatrixGrid(submatrix, {5, false}).cell(0, 1), "0.00000");
}

// A desktop session runs with the user's locale; a comma must never replace the point.
TEST(NumberFormatTest, IgnoresTheProcessLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    ASSERT_EQ(std::localeconv()->decimal_point[0], ',');
    EXPECT_EQ(formatNumber(1.5, 2, false), "1.50");
    EXPECT_EQ(formatNumber(1.5, 2, true), "1.50e+00");
    EXPECT_EQ(formatPlainFixed(0.25), "0.250000");
}

}  // namespace
