#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "LocaleGuard.h"
#include "ProgramVersion.h"

namespace {

TEST(ProgramVersionTest, NumberIsMajorDotMinorOfTheVersionText) {
    EXPECT_DOUBLE_EQ(versionNumber("12.3.4.5"), 12.3);
    EXPECT_EQ(versionNumber(""), 0.0);
    EXPECT_EQ(versionNumber(nullptr), 0.0);
}

TEST(ProgramVersionTest, CommaLocaleStopsAtTheFirstPoint) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    ASSERT_TRUE(locale.active()) << testsupport::kMissingCommaLocale;
    EXPECT_EQ(versionNumber("12.3.4.5"), 12.0);
}

TEST(ProgramVersionTest, CompiledInVersionHasFourParts) {
    int parts[4] = {-1, -1, -1, -1};
    ASSERT_EQ(std::sscanf(programVersionText(), "%d.%d.%d.%d", &parts[0], &parts[1], &parts[2],
                          &parts[3]),
              4)
        << programVersionText();
    const std::string majorMinor = std::to_string(parts[0]) + "." + std::to_string(parts[1]);
    EXPECT_EQ(GetVersion(), std::stod(majorMinor));
}

}  // namespace
