#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "RecentFileList.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileListTest, KeepsTheNewestFourAndSavesThemInTheProfile) {
    RecentFileList newest;
    for (const char* path :
         {"/m/a.mps", "/m/b.mps", "/m/c.orb", "/m/d.mps", "/m/b.mps", "/m/e.cas"})
        newest.add(path);
    EXPECT_EQ(newest.entries(), (Paths{"/m/e.cas", "/m/b.mps", "/m/d.mps", "/m/c.orb"}));

    MemorySettingsStore store;
    RecentFileList list;
    list.add("/m/a.mps");
    list.add("/m/KNLP_Solution.001");
    list.save(store);
    EXPECT_EQ(store.readString(SettingsScope::kProfile, "Recent File List", "File1"),
              "/m/KNLP_Solution.001");
    RecentFileList loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.entries(), list.entries());
    loaded.remove(0);
    loaded.save(store);
    RecentFileList again;
    again.load(store);
    EXPECT_EQ(again.entries(), (Paths{"/m/a.mps"}));
}

// Only the file name's extension counts, in any case, not a dotted folder.
TEST(RecentFileListTest, MatrixFilesAreKnownByTheirExtensionInAnyCase) {
    for (const char* matrix : {"/m/run.MPS", "/m/run.orb", "case.Cas", "/m/run.MPS.gz"})
        EXPECT_TRUE(isMatrixFileName(matrix)) << matrix;
    for (const char* other : {"/m/KNLP_Solution.001", "/m/run.gz", "/m/KNLP_Solution.gz", "/m/mps",
                              "/m/run.mps/KNLP_Solution"})
        EXPECT_FALSE(isMatrixFileName(other)) << other;
}

}  // namespace
