#include <gtest/gtest.h>

#include "CNorvaDoc.h"
#include "DocTestFixture.h"

namespace {

using matrixtest::DocTest;
using matrixtest::kTinyMps;

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
    EXPECT_EQ(doc.model().rows.size(), 4u);
    ASSERT_NE(doc.FindColumn("X1"), nullptr);
    EXPECT_EQ(doc.FindColumn("X1")->coefficient(1).value(), 0.1f);
    EXPECT_NE(doc.nonlinearTerms(), nullptr);

    const PrimalLists& primal = doc.primal();
    ASSERT_EQ(primal.columns.size(), 4u);
    ASSERT_EQ(primal.rows.size(), 4u);
    EXPECT_EQ(primal.columns[0].Name, "FREE");  // sorted by name at the end
    ASSERT_NE(primal.FindPrimalColumn("X1"), nullptr);
    EXPECT_EQ(primal.FindPrimalColumn("X1")->Activity, 2.5f);
    EXPECT_EQ(primal.FindPrimalRow("Cap")->Activity, 5.25f);  // 2.5 * 0.1 + 5 * 1
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
