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
TEST_F(SubmatrixViewLogicTest, AddRowsTakesEachRowOnceWithItsNonZerosOrItsRhsAlone) {
    ASSERT_TRUE(view.AddRows({"NOPE", "SMALL", "SMALL"}));
    EXPECT_EQ(describe(view.submatrix()),
              (Lines{"SMALL E 0.000000", "W: SMALL=-1e-07", "X: SMALL=1e-07", "Z: SMALL=1e-07"}));
    ASSERT_TRUE(view.AddRows({"BIG", "SMALL"}));
    EXPECT_EQ(describe(view.submatrix()),
              (Lines{"SMALL E 0.000000", "BIG L 4.000000", "W: SMALL=-1e-07",
                     "X: SMALL=1e-07 BIG=1e+07", "Y: BIG=-1e+07", "Z: SMALL=1e-07 BIG=1e+07"}));
    EXPECT_EQ(headers(), (Lines{"Row Name", "W", "X", "Y", "Z", "RHS"}));
    EXPECT_EQ(view.grid().cell(lineOf("SMALL"), 3), "");
    // A library RHS of -0 is stored as 0, so the grid shows 0 unsigned.
    view.clearAll();
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
    EXPECT_FALSE(view.removeSelectedLines({}));
    EXPECT_FALSE(view.removeSelectedLines({99}));

    ASSERT_TRUE(view.removeSelectedLines({lineOf("NEAR"), lineOf("OTHER"), lineOf("TIE")}));
    EXPECT_EQ(describe(view.submatrix()),
              (Lines{"BIG L 4.000000", "RATIO L 0.000000", "X: BIG=1e+07 RATIO=1",
                     "Y: BIG=-1e+07 RATIO=1e+08", "Z: BIG=1e+07 RATIO=5"}));
}

}  // namespace
