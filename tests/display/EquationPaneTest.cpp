#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayTestSupport.h"
#include "EquationPane.h"
#include "LocaleGuard.h"

namespace {

class EquationPaneTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(); }
    std::optional<EquationText> equationOf(std::string_view row, std::string_view highlight) {
        return buildEquation(doc.matrixObject(), doc.nonlinearTerms(), row, highlight);
    }
};

TEST_F(EquationPaneTest, WritesTermsInLibraryOrderMarksTheHighlightedColumnAndNeedsLibraryAndRow) {
    const auto equation = equationOf("POSRHS", "Y");
    ASSERT_TRUE(equation.has_value());
    // The library lists the row's elements in its column order X, Y, Z, W, V.
    EXPECT_EQ(equation->text, " 1.000000 * X +4.000000 * Y +0.500000 * W <= 5.000000");
    EXPECT_EQ(equation->marked, (std::vector<MarkedRange>{{13, 27}}));
    EXPECT_EQ(equationOf("NEGRHS", "")->text, " -1.000000 * X -1.000000 * Z = -2.000000");
    EXPECT_EQ(equationOf("ALLNEG", "")->text, " -1.000000 * X -2.000000 * Y >= 0.000000");
    // Zero coefficients are left out; a free row has no relation.
    EXPECT_EQ(equationOf("ALLPOS", "")->text, " 2.000000 * X +1.000000 * V <= -3.000000");
    EXPECT_EQ(equationOf("OBJ", "")->text, " 1.500000 * X -2.000000 * Z +1.000000 * W");
    EXPECT_TRUE(equationOf("OBJ", "")->marked.empty());
    // Every nonlinear term of the highlighted column is marked.
    const auto quadratic = equationOf("QROW", "Y");
    ASSERT_TRUE(quadratic.has_value());
    EXPECT_EQ(quadratic->text,
              " 3.000000 * X -1.000000 * Y +2.000000*X*Y -0.500000*Y*Y <= 4.000000");
    EXPECT_EQ(quadratic->marked, (std::vector<MarkedRange>{{13, 27}, {27, 41}, {41, 55}}));
    EXPECT_EQ(equationOf("QROW", "X")->marked, (std::vector<MarkedRange>{{0, 13}, {27, 41}}));
    EXPECT_FALSE(equationOf("NOSUCHROW", "X").has_value());
    EXPECT_FALSE(buildEquation(doc.matrixObject(), nullptr, "QROW", "X").has_value());
    doc.ReleaseMatrixLibraryObject();
    EXPECT_FALSE(equationOf("QROW", "X").has_value());
}

TEST_F(EquationPaneTest, KeepsThePointUnderACommaLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    EXPECT_EQ(equationOf("QSIGN", "")->text, " 1.000000 * X -1.000000*Y*Y >= 0.000000");
}

}  // namespace
