#include <gtest/gtest.h>

#include "FileDialogFilter.h"

namespace {

// The description loses the pattern list it repeats; "*.*" becomes "*"; an empty pattern drops
// its pair.
TEST(FileDialogFilterTest, TurnsResourcePairsIntoQtForm) {
    EXPECT_EQ(qtFileDialogFilter("Models (*.mps)|*.mps;*.mps.gz|All Files (*.*)|*.*||"),
              "Models (*.mps *.mps.gz);;All Files (*)");
    EXPECT_EQ(qtFileDialogFilter("Models|*.mps|Nothing||"), "Models (*.mps)");
    EXPECT_EQ(qtFileDialogFilter(""), "");
}

}  // namespace
