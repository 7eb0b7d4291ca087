#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "OdbcDrivers.h"
#include "TempFolder.h"

namespace {

// The driver manager keeps the folder of its driver list for the life of a process, so each
// list is read in a fresh child process with ODBCSYSINI pointing at a folder of our own. The
// child prints what it found and exits 0 exactly when that is the expected list.
void expectDriversIn(const std::string& odbcinst, const std::vector<std::string>& expected) {
    testsupport::TempFolder folder;
    folder.write("odbcinst.ini", odbcinst);
    folder.write("odbc.ini", "");
    const std::string path = folder.path();
    EXPECT_EXIT(
        {
            ::setenv("ODBCSYSINI", path.c_str(), 1);
            const std::vector<std::string> found = installedOdbcDrivers();
            for (const std::string& name : found) std::fprintf(stderr, "[%s]", name.c_str());
            std::exit(found == expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(OdbcDriversTest, ListsTheRegisteredDriversInTheirOrder) {
    expectDriversIn(
        "[Zeta Driver]\nDriver=/nowhere/libzeta.so\n\n[Alpha]\nDriver=/nowhere/libalpha.so\n",
        {"Zeta Driver", "Alpha"});
}

TEST(OdbcDriversTest, AnEmptyListGivesNoDrivers) { expectDriversIn("", {}); }

}  // namespace
