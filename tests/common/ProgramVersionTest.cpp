#include <gtest/gtest.h>

#include "ProgramVersion.h"

namespace {

// Under a comma-decimal locale too: the automation tests ask the real program for it.
TEST(ProgramVersionTest, NumberIsMajorDotMinorOfTheVersionText) {
    EXPECT_DOUBLE_EQ(versionNumber("12.3.4.5"), 12.3);
    EXPECT_EQ(versionNumber(""), 0.0);
    EXPECT_EQ(versionNumber("v12.3"), 0.0);
    EXPECT_EQ(versionNumber(nullptr), 0.0);
}

}  // namespace
