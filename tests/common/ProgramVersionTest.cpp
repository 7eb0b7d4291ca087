#include <gtest/gtest.h>

#include "ProgramVersion.h"

namespace {

// Under a comma-decimal locale too: the automation tests ask the real program for it.
TEST(ProgramVersionTest, NumberIsMajorDotMinorOfTheVersionText) {
    for (const auto& [text, number] : {std::pair{"12.3.4.5", 12.3}, {"", 0.0}, {"v12.3", 0.0}})
        EXPECT_DOUBLE_EQ(versionNumber(text), number) << text;
    EXPECT_EQ(versionNumber(nullptr), 0.0);
}

}  // namespace
