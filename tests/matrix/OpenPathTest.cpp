#include <gtest/gtest.h>

#include <utility>

#include "OpenPath.h"

namespace {

// Only the last component's last dot starts the extension; the error log sits beside the file.
TEST(OpenPathTest, SplitsFolderTitleAndExtension) {
    const std::pair<const char*, const char*> cases[] = {
        // path, then file name | extension | folder | title | error log
        {"/m/model.mps", "model.mps|mps|/m/|model|/m/model_err.log"},
        {"/data/run.v2/model", "model||/data/run.v2/|model|/data/run.v2/model_err.log"},
        {"/d/model.tar.mps", "model.tar.mps|mps|/d/|model.tar|/d/model.tar_err.log"},
        {"/d/model.", "model.||/d/|model|/d/model_err.log"},
        {"run.mps", "run.mps|mps||run|run_err.log"},
    };
    for (const auto& [path, expected] : cases) {
        const OpenPath p = SplitOpenPath(path);
        EXPECT_EQ(p.fileName + '|' + p.extension + '|' + p.folder + '|' + p.fileTitle + '|' +
                      p.errorLogPath,
                  expected)
            << path;
    }
}

}  // namespace
