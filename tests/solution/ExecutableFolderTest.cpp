#include <gtest/gtest.h>

#include <filesystem>

#include "ExecutableFolder.h"

TEST(ExecutableFolderTest, IsTheFolderOfTheRunningProgram) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "solution_tests")) << folder;
}
