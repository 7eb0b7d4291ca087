#include <utility>

#include "DisplayTestSupport.h"

namespace {

using displaytest::Lines;

class ColumnDisplayTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(); }
};

// V: minus infinity below, 4 above; then bounds.mps's default, fixed and free columns.
TEST_F(ColumnDisplayTest, BoundLinesFollowTheColumnsKind) {
    const std::pair<std::string, Lines> columns[] = {
        {"Y", {"Lower Bound: 0.00000", "Upper Bound: 8.00000"}},
        {"V", {"Lower Bound: ", "Upper Bound: 4.00000"}},
        {"PLAIN", {"Lower Bound: 0.00000", "Upper Bound: "}},
        {"PINNED", {"Fixed Bound: 2.50000", ""}},
        {"LOOSE", {"Type: Free Column", ""}}};
    for (const auto& [name, lines] : columns) {
        if (name == "PLAIN") openModel(testsupport::testData("app/bounds.mps"));
        const DetailContent content = showColumn(name);
        EXPECT_EQ((Lines{content.L1, content.L2}), lines) << name;
    }
}

// Sort key 4 puts the linear rows first.
TEST_F(ColumnDisplayTest, LibraryDualsOrPiRecordsGiveProductsAndTheirSum) {
    doc.setSortKey(4);
    const DetailContent content = showColumn("X");
    ASSERT_EQ(content.entries.size(), 7u);
    // The library's dual value, 0 without a solution.
    EXPECT_EQ(cellsNamed(content, "QROW"), (Lines{"QROW", "3.00000", "0.00000", "0.00000", "N"}));
    EXPECT_EQ(cellsNamed(content, "ALLPOS")[4], "L");
    EXPECT_EQ(cellsNamed(content, "ALLNEG")[3], "0.00000");  // 0 x -1, a negative zero
    EXPECT_EQ(valueLines(content), (Lines{"Lower Bound: 0.00000", "Upper Bound: ", "Column Price: ",
                                          "Column Status: ", "Column Activity: 0.00000",
                                          "Pi Coefficient Sum: 0.00000", "Column Dj: 0.00000"}));
    EXPECT_EQ(content.cellText(4, 4) + content.cellText(5, 4) + content.cellText(6, 4), "LNN");
    // Pi records give products and their sum.
    openSolution("X 2\nZ 1.5\n");
    doc.primal().ClearPrimalRows();
    doc.primal().AddPrimalRow({"ALLPOS", 4.0f, 0.25f, 3});
    doc.primal().AddPrimalRow({"QROW", 6.0f, -2.0f, 5});
    doc.primal().SortPrimalLists();
    const DetailContent solved = showColumn("X");
    EXPECT_EQ(cellsNamed(solved, "ALLPOS"),
              (Lines{"ALLPOS", "2.00000", "0.25000", "0.50000", "L"}));
    EXPECT_EQ(cellsNamed(solved, "QROW")[3], "-6.00000");
    // Rows without a record fall back to the library's dual value (0 from a KNLP file).
    EXPECT_EQ(cellsNamed(solved, "OBJ")[2], "0.00000");
    EXPECT_EQ(valueLines(solved),
              (Lines{"Lower Bound: 0.00000", "Upper Bound: ", "Column Price: 1.50000",
                     "Column Status: Basic", "Column Activity: 2.00000",
                     "Pi Coefficient Sum: -5.50000", "Column Dj: 0.00000"}));
    EXPECT_EQ(showColumn("Z").R1, "Column Status: Equality");
}

TEST_F(ColumnDisplayTest, NoSelectionShowsRowLabelsAndNoLibraryObjectSkipsItsQueries) {
    DetailContent content = showColumn("Y");
    content.warning = "kept";
    BuildColumnDisplay(sources(), std::nullopt, content);
    EXPECT_TRUE(content.entries.empty());
    EXPECT_EQ(valueLines(content),
              (Lines{"Row Type: ", "RHS Value: ", "Range Value: ", "", "", "", ""}));
    EXPECT_EQ(content.warning, "kept");
    // Without the library object its queries are skipped.
    doc.ReleaseMatrixLibraryObject();
    const DetailContent bare = showColumn("X");
    ASSERT_EQ(bare.entries.size(), 7u);
    EXPECT_EQ(cellsNamed(bare, "QROW"), (Lines{"QROW", "3.00000", "", "", "L"}));
    EXPECT_EQ(bare.R2 + "|" + bare.R3 + "|" + bare.R4,
              "Column Activity: |Pi Coefficient Sum: 0.00000|Column Dj: ");
}

}  // namespace
