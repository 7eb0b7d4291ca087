#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoefficientFilter.h"
#include "SubmatrixTestSupport.h"

namespace {

using displaytest::describe;
using Lines = std::vector<std::string>;

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

    FilterSettings settings;
    Submatrix submatrix;
};

// 1e7 and -1e7 offend, 9999999.999 does not (though as a float it reads 1e7); QROW's 1e9 is
// in a nonlinear row. Only offending coefficients are shown: OTHER's 3 in column X is not.
TEST_F(CoefficientFilterTest, LargeCoefficientsAtAndAboveTheThreshold) {
    EXPECT_EQ(filter(0, false),
              (Lines{"BIG L 4.000000", "NEAR L 0.000000", "OTHER G -2.000000", "RATIO L 0.000000",
                     "TIE G -0.500000", "X: BIG=1e+07",
                     "Y: BIG=-1e+07 NEAR=1e+08 OTHER=2e+07 RATIO=1e+08", "Z: TIE=4e+08"}));
}

TEST_F(CoefficientFilterTest, LargeThresholdItselfOffends) {
    settings.largeCoef = 2e7;
    filter(0, false);
    EXPECT_EQ(rowNames(), (Lines{"NEAR", "OTHER", "RATIO", "TIE"}));
    settings.largeCoef = 2.0000001e7;
    filter(0, false);
    EXPECT_EQ(rowNames(), (Lines{"NEAR", "RATIO", "TIE"}));
}

// With all columns the rows come back whole, so OTHER's 3 now shows in column X, and the
// zero-free columns of every listed row appear.
TEST_F(CoefficientFilterTest, LargeWithAllColumnsShowsWholeRows) {
    EXPECT_EQ(filter(0, true),
              (Lines{"BIG L 4.000000", "NEAR L 0.000000", "OTHER G -2.000000", "RATIO L 0.000000",
                     "TIE G -0.500000", "W: TIE=7", "X: BIG=1e+07 NEAR=1 OTHER=3 RATIO=1 TIE=2",
                     "Y: BIG=-1e+07 NEAR=1e+08 OTHER=2e+07 RATIO=1e+08 TIE=2",
                     "Z: BIG=1e+07 NEAR=5 RATIO=5 TIE=4e+08"}));
}

// 1e-7 and -1e-7 offend; the exact 0 and 1.0000001e-7 do not; QROW's 1e-9 is skipped.
TEST_F(CoefficientFilterTest, SmallCoefficientsAtTheThresholdButNeverZero) {
    EXPECT_EQ(filter(1, false), (Lines{"SMALL E 0.000000", "W: SMALL=-1e-07", "X: SMALL=1e-07"}));
    settings.smallCoef = 0.0;
    EXPECT_EQ(filter(1, false), Lines{});
}

// RATIO's 1e8 / 1 equals the threshold; NEAR's 99999999 / 1 falls short. TIE's two columns
// at 2 both offend with its 4e8, its 7 does not; RATIO's 5 does not.
TEST_F(CoefficientFilterTest, RatioSelectsRowsAndShowsBothExtremes) {
    EXPECT_EQ(filter(2, false), (Lines{"RATIO L 0.000000", "TIE G -0.500000", "X: RATIO=1 TIE=2",
                                       "Y: RATIO=1e+08 TIE=2", "Z: TIE=4e+08"}));
    EXPECT_EQ(filter(2, true),
              (Lines{"RATIO L 0.000000", "TIE G -0.500000", "W: TIE=7", "X: RATIO=1 TIE=2",
                     "Y: RATIO=1e+08 TIE=2", "Z: RATIO=5 TIE=4e+08"}));
}

// A ratio of 1 selects every linear row with a non-zero; EMPTY (0 / 1e30) and QROW never.
TEST_F(CoefficientFilterTest, RatioNeverSelectsEmptyOrNonlinearRows) {
    settings.largeRatio = 1.0;
    filter(2, true);
    EXPECT_EQ(rowNames(), (Lines{"BIG", "NEAR", "OBJ", "OTHER", "RATIO", "SMALL", "TIE"}));
}

TEST_F(CoefficientFilterTest, ReplacesTheSubmatrixAndSelectsNothingForAnUnknownTest) {
    submatrix.addCoefficient("OLDCOL", submatrix.addRow("OLD", 'L', 1.0f), 2.0f);
    EXPECT_EQ(filter(3, false), Lines{});
}

TEST_F(CoefficientFilterTest, WithoutLibraryLeavesTheSubmatrixAlone) {
    submatrix.addCoefficient("OLDCOL", submatrix.addRow("OLD", 'L', 1.0f), 2.0f);
    EXPECT_FALSE(Filter(submatrix, nullptr, doc.model(), settings));
    EXPECT_EQ(describe(submatrix), (Lines{"OLD L 1.000000", "OLDCOL: OLD=2"}));
}

TEST(FilterSettingsTest, TakesTheDocumentSettings) {
    DocumentSettings document;
    document.ToleranceSel = 2;
    document.LargeRatio = 123.0;
    document.ShowAllColumns = 1;
    const FilterSettings settings = filterSettingsOf(document);
    EXPECT_EQ(settings.toleranceSel, 2);
    EXPECT_EQ(settings.largeRatio, 123.0);
    EXPECT_EQ(settings.largeCoef, 1e7);
    EXPECT_EQ(settings.smallCoef, 1e-7);
    EXPECT_TRUE(settings.showAllColumns);
}

}  // namespace
