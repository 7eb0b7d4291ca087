#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <utility>

#include "LocaleGuard.h"
#include "NumberFormat.h"
#include "SubmatrixGrid.h"

namespace {

// Fixed up to twelve characters, else scientific with the same decimals; decimals clamped to
// 0..12; a zero product of a negative value (-0) never shows its sign.
TEST(NumberFormatTest, FormatsEachValueAsTheGridAndListingsShowIt) {
    Submatrix submatrix;
    submatrix.addRow("R", 'E', -2.0f * 0.0f);
    const std::pair<std::string, const char*> cases[] = {
        {formatNumber(1234567.5, 4, false), "1234567.5000"},
        {formatNumber(0.0, 5, false), "0.00000"},
        {formatNumber(-0.5, 5, false), "-0.50000"},
        {formatNumber(2.5, 0, false), "2"},  // halfway rounds to even, as printf does
        {formatNumber(123456.75, 5, false), "123456.75000"},
        {formatNumber(12345678.5, 4, false), "1.2346e+07"},
        {formatNumber(-123456.75, 5, false), "-1.23457e+05"},  // the sign makes 13
        {formatNumber(0.1, 12, false), "1.000000000000e-01"},
        {formatNumber(1e20, 5, false), "1.00000e+20"},
        {formatNumber(1e-300, 5, false), "0.00000"},
        {formatNumber(1e300, 2, false), "1.00e+300"},
        {formatNumber(2.5, 3, true), "2.500e+00"},
        {formatNumber(0.0, 0, true), "0e+00"},
        {formatNumber(1.25, -3, false), "1"},
        {formatNumber(0.5, 40, false), "5.000000000000e-01"},
        {formatPlainFixed(-1.06), "-1.060000"},
        {formatPlainFixed(1e20), "100000000000000000000.000000"},
        {formatNumber(-0.0, 5, false), "0.00000"},
        {formatNumber(-0.0, 12, false), "0.000000000000e+00"},  // too long for fixed
        {formatNumber(-0.0, 2, true), "0.00e+00"},
        {formatNumber(-0.0, 0, false), "0"},
        {formatPlainFixed(-0.0), "0.000000"},
        {std::string(SubmatrixGrid(submatrix, {5, false}).cell(0, 1)), "0.00000"},
        {formatNumber(-1e-9, 5, false), "-0.00000"},  // not zero: keeps its sign
    };
    for (const auto& [shown, expected] : cases) EXPECT_EQ(shown, expected);
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
