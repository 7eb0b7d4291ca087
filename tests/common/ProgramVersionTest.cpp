#include <gtest/gtest.h>

#include "LocaleGuard.h"
#include "ProgramVersion.h"

namespace {

TEST(ProgramVersionTest, NumberIsMajorDotMinorOfTheVersionText) {
    EXPECT_DOUBLE_EQ(versionNumber("12.3.4.5"), 12.3);
    EXPECT_EQ(versionNumber(""), 0.0);
    EXPECT_EQ(versionNumber("v12.3"), 0.0);
    EXPECT_EQ(versionNumber(nullptr), 0.0);
}

// A comma-decimal locale must not turn 12.3 into 12 for a caller that compares versions.
TEST(ProgramVersionTest, CommaLocaleStillGivesMajorDotMinor) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    EXPECT_DOUBLE_EQ(versionNumber("12.3.4.5"), 12.3);
}

}  // namespace
