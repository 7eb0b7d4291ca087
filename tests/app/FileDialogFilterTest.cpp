#include <gtest/gtest.h>

#include "AppStrings.h"
#include "FileDialogFilter.h"

namespace {

TEST(FileDialogFilterTest, TurnsTheMatrixFilterIntoQtForm) {
    EXPECT_EQ(
        qtFileDialogFilter(appstrings::builtIn(appstrings::kMatrixFileFilter)),
        "Mps, Orb Problem Files (*.mps *.mps.gz *.orb);;LOOM Case File (*.cas);;All Files (*)");
}

TEST(FileDialogFilterTest, TurnsTheSolutionFilterIntoQtForm) {
    EXPECT_EQ(qtFileDialogFilter(appstrings::builtIn(appstrings::kSolutionFileFilter)),
              "KNLP_Solution Files (KNLP_Solution.*);;All Files (*)");
}

TEST(FileDialogFilterTest, KeepsADescriptionWithoutPatternsAndDropsAnEmptyPattern) {
    EXPECT_EQ(qtFileDialogFilter("Models|*.mps|Nothing||"), "Models (*.mps)");
    EXPECT_EQ(qtFileDialogFilter(""), "");
}

}  // namespace
