#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DetailViewLogic.h"
#include "DisplayTestSupport.h"
#include "SubmatrixViewLogic.h"

namespace {

using displaytest::describe;
using displaytest::Lines;

class SubmatrixViewLogicTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(displaytest::model("filter.mps")); }

    std::size_t lineOf(std::string_view name) const {
        for (std::size_t line = 0; line < view.grid().lineCount(); ++line)
            if (view.grid().cell(line, 0) == name) return line;
        ADD_FAILURE() << "no grid line " << name;
        return 0;
    }
    Lines headers() const {
        Lines texts;
        for (std::size_t c = 0; c < view.grid().columnCount(); ++c)
            texts.push_back(view.grid().header(c));
        return texts;
    }

    SubmatrixViewLogic view{doc};
};

// SMALL's exact 0 in Y makes no column; names the library lacks are skipped; a row listed
// twice is added once.
TEST_F(SubmatrixViewLogicTest, AddRowsTakesEachRowOnceWithItsNonZeros) {
    ASSERT_TRUE(view.AddRows({"NOPE", "SMALL", "SMALL"}));
    EXPECT_EQ(describe(view.submatrix()),
              (Lines{"SMALL E 0.000000", "W: SMALL=-1e-07", "X: SMALL=1e-07", "Z: SMALL=1e-07"}));
    ASSERT_TRUE(view.AddRows({"BIG", "SMALL"}));
    EXPECT_EQ(describe(view.submatrix()),
              (Lines{"SMALL E 0.000000", "BIG L 4.000000", "W: SMALL=-1e-07",
                     "X: SMALL=1e-07 BIG=1e+07", "Y: BIG=-1e+07", "Z: SMALL=1e-07 BIG=1e+07"}));
    EXPECT_EQ(headers(), (Lines{"Row Name", "W", "X", "Y", "Z", "RHS"}));
    EXPECT_EQ(view.grid().cell(lineOf("SMALL"), 3), "");
}

// A library RHS of -0 is stored as 0, so the grid shows 0 unsigned.
TEST_F(SubmatrixViewLogicTest, RowWithoutCoefficientsShowsItsRhs) {
    ASSERT_TRUE(view.AddRows({"EMPTY"}));
    EXPECT_EQ(headers(), (Lines{"Row Name", "RHS"}));
    EXPECT_EQ(view.grid().cell(0, 1), "0.00000");
}

// After a filter without all columns BIG shows X and Y only; adding it again changes nothing,
// and "<" on another line brings it back whole (with Z) while NEAR goes.
TEST_F(SubmatrixViewLogicTest, RemovingLinesReAddsTheRestWhole) {
    ASSERT_TRUE(view.Filter());
    const Lines filtered = describe(view.submatrix());
    ASSERT_EQ(filtered.back(), "Z: TIE=4e+08");
    ASSERT_TRUE(view.AddRows({"BIG"}));
    EXPECT_EQ(describe(view.submatrix()), filtered);

    ASSERT_TRUE(view.removeSelectedLines({lineOf("NEAR"), lineOf("OTHER"), lineOf("TIE")}));
    EXPECT_EQ(describe(view.submatrix()),
              (Lines{"BIG L 4.000000", "RATIO L 0.000000", "X: BIG=1e+07 RATIO=1",
                     "Y: BIG=-1e+07 RATIO=1e+08", "Z: BIG=1e+07 RATIO=5"}));
}

// Column Y belonged to BIG alone (SMALL's Y is 0): removing BIG takes it away.
TEST_F(SubmatrixViewLogicTest, ColumnsGoWithTheRowsThatHeldThem) {
    ASSERT_TRUE(view.AddRows({"BIG", "SMALL"}));
    EXPECT_FALSE(view.removeSelectedLines({}));
    EXPECT_FALSE(view.removeSelectedLines({99}));
    ASSERT_TRUE(view.removeSelectedLines({lineOf("BIG")}));
    EXPECT_EQ(headers(), (Lines{"Row Name", "W", "X", "Z", "RHS"}));
    EXPECT_EQ(view.grid().lineCount(), 1u);
    doc.selectedNames() = {"SMALL"};
    view.clearAll();
    EXPECT_TRUE(doc.selectedNames().empty());
    EXPECT_TRUE(view.submatrix().empty());
    EXPECT_EQ(headers(), (Lines{"Row Name", "RHS"}));
}

// ">>" takes the rows of the detail view's current column in the column's stored order,
// SMALL too although its coefficient there is 0; before any column was shown it does nothing.
TEST_F(SubmatrixViewLogicTest, AddColumnRowsFollowsTheDetailViewsColumn) {
    DetailViewLogic detail(doc);
    detail.OnInitialUpdate();
    EXPECT_FALSE(view.addCurrentColumnRows());
    EXPECT_TRUE(view.submatrix().empty());
    detail.Toggle();
    detail.selectName(detail.nameList().indexOf("Y"));
    ASSERT_TRUE(view.addCurrentColumnRows());
    Lines rows;
    for (std::size_t r = 0; r < view.submatrix().rowCount(); ++r)
        rows.push_back(view.submatrix().row(r).name);
    EXPECT_EQ(rows, (Lines{"BIG", "OTHER", "SMALL", "RATIO", "NEAR", "TIE"}));
}

// ">" takes the shown row in row display and the selected entries in column display.
TEST_F(SubmatrixViewLogicTest, AddSelectedTakesTheDetailViewsSelection) {
    DetailViewLogic detail(doc);
    detail.OnInitialUpdate();
    detail.selectName(detail.nameList().indexOf("TIE"));
    ASSERT_TRUE(view.addSelectedRows(detail));
    EXPECT_EQ(view.submatrix().rowCount(), 1u);
    detail.Toggle();                    // column X, with TIE selected
    detail.setSelectedEntries({0, 1});  // BIG and NEAR, by name
    ASSERT_TRUE(view.addSelectedRows(detail));
    EXPECT_EQ(doc.selectedNames(), (Lines{"BIG", "NEAR"}));
    EXPECT_EQ(view.grid().lineCount(), 3u);
}

TEST_F(SubmatrixViewLogicTest, EmptyListRedrawsWithNewNumberSettings) {
    ASSERT_TRUE(view.AddRows({"TIE"}));
    EXPECT_EQ(view.grid().cell(0, 1), "7.00000");
    doc.settings().Decimals = 1;
    doc.settings().AlwaysUseScientific = 1;
    ASSERT_TRUE(view.AddRows({}));
    EXPECT_EQ(view.grid().cell(0, 1), "7.0e+00");
}

TEST_F(SubmatrixViewLogicTest, ButtonsFollowDisplayAndSelection) {
    const SubmatrixButtons row = view.buttons(true, false), column = view.buttons(false, true);
    EXPECT_FALSE(row.addColumnRows || row.removeSelected);
    EXPECT_TRUE(row.addSelected && row.clearAll && column.addColumnRows && column.removeSelected);
}

TEST(SubmatrixWithoutLibraryTest, AddingRowsDoesNothingButClearingRedraws) {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc(ui, flags, nullptr);
    SubmatrixViewLogic view(doc);
    EXPECT_FALSE(view.AddRows({"BIG"}));
    EXPECT_FALSE(view.Filter());
    EXPECT_TRUE(view.AddRows({}));
    view.clearAll();
    EXPECT_EQ(view.grid().columnCount(), 2u);
}

}  // namespace
