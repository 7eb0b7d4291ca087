#include <sstream>

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

// The cases and why, in filter_cases.txt; each starts from an unrelated submatrix.
TEST_F(CoefficientFilterTest, EachTestSelectsItsRowsAndCoefficientsWithInclusiveThresholds) {
    std::istringstream cases(testsupport::testData("display/filter_cases.txt"));
    int count = 0;
    for (std::string header, line; std::getline(cases, header);) {
        if (header.empty() || header[0] == '#') continue;
        Lines expected;
        while (std::getline(cases, line) && !line.empty()) expected.push_back(line);
        SCOPED_TRACE(header);
        submatrix.addCoefficient("OLDCOL", submatrix.addRow("OLD", 'L', 1.0f), 2.0f);
        EXPECT_EQ(filter(header[5] - '0', header.ends_with(" all")), expected);
        ++count;
    }
    EXPECT_EQ(count, 6);
    // The thresholds themselves offend; a small threshold of 0 never selects a zero, and a ratio
    // of 1 selects every linear row with a non-zero (EMPTY, 0 / 1e30, and QROW never).
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
    submatrix.clear();
    submatrix.addCoefficient("OLDCOL", submatrix.addRow("OLD", 'L', 1.0f), 2.0f);
    EXPECT_FALSE(Filter(submatrix, nullptr, doc.model(), settings));
    EXPECT_EQ(describe(submatrix), (Lines{"OLD L 1.000000", "OLDCOL: OLD=2"}));
}

}  // namespace
