#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "WindowPlacement.h"

namespace {

TEST(WindowPlacementTest, ReadsAndWritesTenIntegersAndIgnoresOtherTexts) {
    const auto read = parseWindowPlacement("2 3 -1 -1 -1 -1 -8 20 1000 700");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(std::tie(read->showCommand, read->left, read->bottom), std::tuple(3, -8, 700));
    EXPECT_EQ(formatWindowPlacement(*read), "2,3,-1,-1,-1,-1,-8,20,1000,700");
    EXPECT_EQ(parseWindowPlacement(formatWindowPlacement(*read))->right, 1000);
    // 68 characters do not fit the stored form's 68-byte buffer with its terminator.
    for (const std::string& text :
         {std::string(), std::string("0,1,-1,-1,-1,-1,10,20,30"),
          std::string(57, '0') + ",1,-1,-1,-1,-1,10,20,30,40", std::string("0,1,-1,-1,-1,-1,10,20,30,40,50"),
          std::string("0,1,-1,-1,-1,-1,10,20,30,4x"), std::string("0,1,-1,-1,-1,-1,10.5,20,30,40")})
        EXPECT_FALSE(parseWindowPlacement(text)) << text;
}

TEST(WindowPlacementTest, RestoresMinimisedWindowsMaximisedOnlyWithTheFlag) {
    using P = WindowPlacement;
    const std::array<int, 4> cases[] = {
        // flags, stored, requested, expected
        {0, P::kShowMinimized, P::kShowNormal, P::kShowNormal},
        {P::kRestoreToMaximized, P::kShowMinimized, P::kShowNormal, P::kShowMaximized},
        {0, P::kShowMaximized, P::kShowNormal, P::kShowMaximized},
        // A requested command other than normal wins.
        {0, P::kShowMaximized, P::kShowMinimized, P::kShowMinimized},
    };
    for (const auto& [flags, stored, requested, expected] : cases) {
        WindowPlacement placement;
        placement.flags = flags;
        placement.showCommand = stored;
        EXPECT_EQ(restoreShowCommand(placement, requested), expected)
            << flags << " " << stored << " " << requested;
    }
}

}  // namespace
