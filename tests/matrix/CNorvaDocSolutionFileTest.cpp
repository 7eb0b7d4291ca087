#include <gtest/gtest.h>

#include "CNorvaDoc.h"
#include "DocTestFixture.h"
#include "PrimalListing.h"

namespace {

using namespace matrixtest;

class DocSolutionFileTest : public DocTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(openMatrix(doc, write("tiny.mps", kTinyMps))) << ui.lastMessage;
    }

    bool openSolution(const std::string& path) {
        flags.openAsSolution = true;
        return doc.OnOpenDocument(path);
    }
};

TEST_F(DocSolutionFileTest, RebuildsTheModelAndFillsTheSolutionLists) {
    ASSERT_TRUE(openSolution(write("KNLP_Solution.001", "h\nh\nh\nX1 2.5\nFX5 5\n")))
        << ui.lastMessage;
    EXPECT_EQ(doc.solutionName(), "KNLP_Solution.001");
    EXPECT_EQ(doc.matrixFileName(), "tiny.mps");
    EXPECT_EQ(matrixtest::modelListing(doc.model()), testsupport::testData("matrix/tiny.txt"));
    EXPECT_NE(doc.nonlinearTerms(), nullptr);
    // Sorted by name at the end; Cap's activity is 2.5 * 0.1 + 5 * 1.
    EXPECT_EQ(testsupport::primalListing(doc.primal()),
              testsupport::testData("matrix/tiny_solved.txt"));
}

TEST_F(DocSolutionFileTest, UnopenableSolutionFileKeepsTheLibraryObject) {
    const orbxmps::ORBObject* held = doc.matrixObject();
    const std::string path = folder / "KNLP_Solution.404";
    EXPECT_FALSE(openSolution(path));
    EXPECT_EQ(ui.lastMessage, "Unable to open KSLP Results File: " + path);
    EXPECT_EQ(doc.matrixObject(), held);
    EXPECT_TRUE(doc.primal().columns.empty());
}

}  // namespace
