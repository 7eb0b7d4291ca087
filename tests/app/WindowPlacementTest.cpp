#include <gtest/gtest.h>

#include "WindowPlacement.h"

namespace {

TEST(WindowPlacementTest, FormatsAndReadsTenIntegersSeparatedByCommasOrBlanks) {
    WindowPlacement placement;
    placement.flags = 2;
    placement.showCommand = 3;
    placement.left = -8;
    placement.top = 20;
    placement.right = 1000;
    placement.bottom = 700;
    const std::string text = formatWindowPlacement(placement);
    EXPECT_EQ(text, "2,3,-1,-1,-1,-1,-8,20,1000,700");
    const auto back = parseWindowPlacement(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(formatWindowPlacement(*back), text);
    const auto blankSeparated = parseWindowPlacement("0 1 -1 -1 -1 -1 10 20 30 40");
    ASSERT_TRUE(blankSeparated.has_value());
    EXPECT_EQ(blankSeparated->bottom, 40);
}

TEST(WindowPlacementTest, IgnoresTextsThatAreNotTenIntegers) {
    EXPECT_FALSE(parseWindowPlacement(""));
    EXPECT_FALSE(parseWindowPlacement("0,1,-1,-1,-1,-1,10,20,30"));
    EXPECT_FALSE(parseWindowPlacement("0,1,-1,-1,-1,-1,10,20,30,40,50"));
    EXPECT_FALSE(parseWindowPlacement("0,1,-1,-1,-1,-1,10,20,30,4x"));
    EXPECT_FALSE(parseWindowPlacement("0,1,-1,-1,-1,-1,10.5,20,30,40"));
    // 68 characters do not fit the stored form's 68-byte buffer with its terminator.
    const std::string tooLong =
        "000000000000000000000000000000000000000000000000000000000,1,-1,-1,-1,-1,10,20,30,40";
    ASSERT_GT(tooLong.size(), 67u);
    EXPECT_FALSE(parseWindowPlacement(tooLong));
}

TEST(WindowPlacementTest, RestoresMinimisedWindowsMaximisedOnlyWithTheFlag) {
    WindowPlacement minimised;
    minimised.showCommand = WindowPlacement::kShowMinimized;
    EXPECT_EQ(restoreShowCommand(minimised, WindowPlacement::kShowNormal),
              WindowPlacement::kShowNormal);
    minimised.flags = WindowPlacement::kRestoreToMaximized;
    EXPECT_EQ(restoreShowCommand(minimised, WindowPlacement::kShowNormal),
              WindowPlacement::kShowMaximized);
    WindowPlacement maximised;
    maximised.showCommand = WindowPlacement::kShowMaximized;
    EXPECT_EQ(restoreShowCommand(maximised, WindowPlacement::kShowNormal),
              WindowPlacement::kShowMaximized);
    // A requested command other than normal wins.
    EXPECT_EQ(restoreShowCommand(maximised, WindowPlacement::kShowMinimized),
              WindowPlacement::kShowMinimized);
}

}  // namespace
