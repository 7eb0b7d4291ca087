#include <gtest/gtest.h>

#include "OpenPath.h"

namespace {

TEST(OpenPathTest, SplitsFolderTitleAndExtension) {
    const OpenPath parts = SplitOpenPath("/m/model.mps");
    EXPECT_EQ(parts.fileName, "model.mps");
    EXPECT_EQ(parts.extension, "mps");
    EXPECT_EQ(parts.folder, "/m/");
    EXPECT_EQ(parts.fileTitle, "model");
    EXPECT_EQ(parts.errorLogPath, "/m/model_err.log");
}

TEST(OpenPathTest, OnlyTheLastComponentsDotCounts) {
    const OpenPath parts = SplitOpenPath("/data/run.v2/model");
    EXPECT_EQ(parts.extension, "");
    EXPECT_EQ(parts.folder, "/data/run.v2/");
    EXPECT_EQ(parts.errorLogPath, "/data/run.v2/model_err.log");
}

TEST(OpenPathTest, OnlyTheLastDotStartsTheExtension) {
    const OpenPath parts = SplitOpenPath("/d/model.tar.mps");
    EXPECT_EQ(parts.extension, "mps");
    EXPECT_EQ(parts.fileTitle, "model.tar");
    EXPECT_EQ(parts.errorLogPath, "/d/model.tar_err.log");
}

TEST(OpenPathTest, TrailingDotGivesAnEmptyExtension) {
    const OpenPath parts = SplitOpenPath("/d/model.");
    EXPECT_EQ(parts.extension, "");
    EXPECT_EQ(parts.errorLogPath, "/d/model_err.log");
}

TEST(OpenPathTest, BareNameHasNoFolder) {
    const OpenPath parts = SplitOpenPath("run.mps");
    EXPECT_EQ(parts.folder, "");
    EXPECT_EQ(parts.fileName, "run.mps");
    EXPECT_EQ(parts.errorLogPath, "run_err.log");
}

}  // namespace
