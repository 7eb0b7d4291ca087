#include <gtest/gtest.h>

#include "OpenPath.h"

namespace {

// Only the last component's last dot starts the extension; the error log sits beside the file.
TEST(OpenPathTest, SplitsFolderTitleAndExtension) {
    const struct {
        const char* path;
        OpenPath expected;  // file name, extension, folder, title, error log
    } cases[] = {
        {"/m/model.mps", {"model.mps", "mps", "/m/", "model", "/m/model_err.log"}},
        {"/data/run.v2/model",
         {"model", "", "/data/run.v2/", "model", "/data/run.v2/model_err.log"}},
        {"/d/model.tar.mps", {"model.tar.mps", "mps", "/d/", "model.tar", "/d/model.tar_err.log"}},
        {"/d/model.", {"model.", "", "/d/", "model", "/d/model_err.log"}},
        {"run.mps", {"run.mps", "mps", "", "run", "run_err.log"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const OpenPath parts = SplitOpenPath(c.path);
        EXPECT_EQ(parts.fileName, c.expected.fileName);
        EXPECT_EQ(parts.extension, c.expected.extension);
        EXPECT_EQ(parts.folder, c.expected.folder);
        EXPECT_EQ(parts.fileTitle, c.expected.fileTitle);
        EXPECT_EQ(parts.errorLogPath, c.expected.errorLogPath);
    }
}

}  // namespace
