#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoefficientFilter.h"
#include "DisplayTestSupport.h"

namespace {

using displaytest::describe;
using displaytest::Lines;

class CoefficientFilterTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(displaytest::model("filter.mps")); }

    Lines filter(int test, bool showAllColumns) {
        settings.toleranceSel = test;
        settings.showAllColumns = showAllColumns;
        EXPECT_TRUE(Filter(submatrix, doc.matrixObject(), doc.model(), settings));
        return describe(submatrix);
    }
    Lines rowNames() const {
        Lines names;
        for (std::size_t r = 0; r < submatrix.rowCount(); ++r)
            names.push_back(submatrix.row(r).name);
        return names;
    }

    FilterSettings settings = filterSettingsOf(DocumentSettings{});
    Submatrix submatrix;
};

// Large: 1e7 and -1e7 offend, 9999999.999 does not (though as a float it reads 1e7); QROW's
// 1e9 is in a nonlinear row. Only offending coefficients show unless all columns are asked
// for: then OTHER's 3 in X and the zero-free columns of every listed row appear.
// Small: 1e-7 and -1e-7 offend; the exact 0 and 1.0000001e-7 do not; QROW's 1e-9 is skipped.
// Ratio: RATIO's 1e8 / 1 equals the threshold, NEAR's 99999999 / 1 falls short; TIE's two
// columns at 2 both offend with its 4e8, its 7 does not; RATIO's 5 does not.
TEST_F(CoefficientFilterTest, EachTestSelectsItsRowsAndCoefficients) {
    const struct {
        int test;
        bool all;
        Lines expected;
    } cases[] = {
        {0,
         false,
         {"BIG L 4.000000", "NEAR L 0.000000", "OTHER G -2.000000", "RATIO L 0.000000",
          "TIE G -0.500000", "X: BIG=1e+07", "Y: BIG=-1e+07 NEAR=1e+08 OTHER=2e+07 RATIO=1e+08",
          "Z: TIE=4e+08"}},
        {0,
         true,
         {"BIG L 4.000000", "NEAR L 0.000000", "OTHER G -2.000000", "RATIO L 0.000000",
          "TIE G -0.500000", "W: TIE=7", "X: BIG=1e+07 NEAR=1 OTHER=3 RATIO=1 TIE=2",
          "Y: BIG=-1e+07 NEAR=1e+08 OTHER=2e+07 RATIO=1e+08 TIE=2",
          "Z: BIG=1e+07 NEAR=5 RATIO=5 TIE=4e+08"}},
        {1, false, {"SMALL E 0.000000", "W: SMALL=-1e-07", "X: SMALL=1e-07"}},
        {2,
         false,
         {"RATIO L 0.000000", "TIE G -0.500000", "X: RATIO=1 TIE=2", "Y: RATIO=1e+08 TIE=2",
          "Z: TIE=4e+08"}},
        {2,
         true,
         {"RATIO L 0.000000", "TIE G -0.500000", "W: TIE=7", "X: RATIO=1 TIE=2",
          "Y: RATIO=1e+08 TIE=2", "Z: RATIO=5 TIE=4e+08"}},
        {3, false, {}},  // an unknown test replaces the submatrix with nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.test) + (c.all ? " all" : ""));
        submatrix.addCoefficient("OLDCOL", submatrix.addRow("OLD", 'L', 1.0f), 2.0f);
        EXPECT_EQ(filter(c.test, c.all), c.expected);
    }
}

// The thresholds themselves offend; a small threshold of 0 never selects a zero, and a ratio
// of 1 selects every linear row with a non-zero (EMPTY, 0 / 1e30, and QROW never).
TEST_F(CoefficientFilterTest, ThresholdsAreInclusive) {
    settings.largeCoef = 2e7;
    filter(0, false);
    EXPECT_EQ(rowNames(), (Lines{"NEAR", "OTHER", "RATIO", "TIE"}));
    settings.largeCoef = 2.0000001e7;
    filter(0, false);
    EXPECT_EQ(rowNames(), (Lines{"NEAR", "RATIO", "TIE"}));
    settings.smallCoef = 0.0;
    EXPECT_EQ(filter(1, false), Lines{});
    settings.largeRatio = 1.0;
    filter(2, true);
    EXPECT_EQ(rowNames(), (Lines{"BIG", "NEAR", "OBJ", "OTHER", "RATIO", "SMALL", "TIE"}));
}

TEST_F(CoefficientFilterTest, WithoutLibraryLeavesTheSubmatrixAlone) {
    submatrix.addCoefficient("OLDCOL", submatrix.addRow("OLD", 'L', 1.0f), 2.0f);
    EXPECT_FALSE(Filter(submatrix, nullptr, doc.model(), settings));
    EXPECT_EQ(describe(submatrix), (Lines{"OLD L 1.000000", "OLDCOL: OLD=2"}));
}

}  // namespace
