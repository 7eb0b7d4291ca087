#include <iomanip>
#include <sstream>

#include "AnalysisTestSupport.h"
#include "AnalysisWriters.h"
#include "Decade.h"
#include "MagnitudeHistogram.h"
#include "NameStem.h"
#include "ScalingReport.h"
#include "TestData.h"

namespace {

using analysistest::LoadedModel;

// Each span as "name count ratio", the ratio to six digits.
std::string ranked(const std::vector<MagnitudeSpan>& spans) {
    std::ostringstream text;
    for (const MagnitudeSpan& span : spans)
        text << span.name << ' ' << span.count << ' ' << std::setprecision(6) << span.ratio() << ' ';
    return text.str();
}

// blocks.mps: CAP_2 and DEM2 tie at 10 (name decides); the DEM block's 10 / 0.01 is a little
// above 1000 as the model stores 0.01, so it ranks before CAP's 1000 / 1. SPARE holds only a
// zero, and EMPTY only that zero.
TEST(ScalingReportTest, RanksAHandMadeModelAndScalesARankOneModelFlat) {
    const LoadedModel loaded("analysis/blocks.mps");
    const ScalingReport report = computeScalingReport(loaded.model());
    EXPECT_EQ(ranked(report.rows),
              "BAL 2 10000 CAP_1 2 1000 CAP_2 2 10 DEM2 2 10 COST 2 2 DEM1 1 1 ");
    EXPECT_EQ(ranked(report.columns), "X1 3 100000 Y1 2 10000 Y2 3 100 X2 3 10 ");
    EXPECT_EQ(ranked(report.stems), "BAL 2 10000 DEM 3 1000 CAP 4 1000 COST 2 2 ");
    EXPECT_EQ(report.stemFirstRows,
              (std::vector<std::string_view>{"BAL", "DEM1", "CAP_1", "COST"}));
    EXPECT_EQ(std::tuple(report.matrix.count, report.matrix.min, report.matrix.max),
              std::tuple(std::size_t{11}, 1e-4f, 1000.0f));
    EXPECT_LT(report.ratioAfterScaling, report.matrix.ratio());
    // a(i, j) = 10^(i + j) is a row scale times a column scale: geometric scaling removes the
    // whole 10^4 spread.
    const LoadedModel flat("analysis/rankone.mps");
    const ScalingReport rankOne = computeScalingReport(flat.model());
    EXPECT_NEAR(rankOne.matrix.ratio(), 1e4, 1e-6);
    EXPECT_NEAR(rankOne.ratioAfterScaling, 1.0, 1e-6);
}

TEST(ScalingReportTest, HistogramCountsEachPartByDecade) {
    const LoadedModel loaded("analysis/blocks.mps");
    const MagnitudeHistogram histogram = computeHistogram(loaded.model());
    EXPECT_EQ(histogram.coefficients,
              (std::vector<DecadeCount>{{-4, 1}, {-2, 1}, {0, 5}, {1, 2}, {2, 1}, {3, 1}}));
    EXPECT_EQ(histogram.rhs, (std::vector<DecadeCount>{{-1, 1}, {2, 1}, {7, 1}}));
    // X1's upper bound 40, Y2's fixed 2 as its lower and upper bound; the zero lower bounds
    // have no decade.
    EXPECT_EQ(histogram.bounds, (std::vector<DecadeCount>{{0, 2}, {1, 1}}));
}

TEST(ScalingReportTest, DecadesFollowTheValuesAsStoredAndStemsDropTrailingDigits) {
    const std::pair<float, int> cases[] = {
        {1.0f, 0},        {9.999999f, 0}, {10.0f, 1},     {-0.5f, -1}, {0.1f, -1},
        {0.0999999f, -2}, {0.01f, -2},    {1e-4f, -4},    {1e7f, 7},   {9999999.0f, 6},
        {1e-40f, -40},    {3e38f, 38},    {1.5e-45f, -45}};
    for (const auto& [value, decade] : cases) EXPECT_EQ(decadeOf(value), decade) << value;
    // Stems drop trailing digits and separators.
    const std::pair<const char*, const char*> stems[] = {
        {"CAP_1", "CAP"}, {"FLOW(7,3)", "FLOW"}, {"X01", "X"},   {"ABC1X2", "ABC1X"},
        {"COST", "COST"}, {"123", "123"},        {"_1_", "_1_"}, {"Z\303\2449", "Z\303\244"}};
    for (const auto& [name, stem] : stems) EXPECT_EQ(nameStem(name), stem) << name;
}

// The ratio after scaling (@AFTER@ in the file) depends on the scaling's rounding only.
TEST(ScalingReportTest, JsonHasTheFixedShapeEscapesNamesAndWritesNullForNothing) {
    const LoadedModel loaded("analysis/blocks.mps");
    ScalingReport report = computeScalingReport(loaded.model());
    report.columns[0].name = "A\"B\\C\x01\xff";
    std::string expected = testsupport::testData("analysis/blocks_report.json");
    expected.replace(expected.find("@AFTER@"), 7, shortestNumber(report.ratioAfterScaling));
    EXPECT_EQ(scalingReportJson(report, 1), expected);
    EXPECT_EQ(scalingReportJson(computeScalingReport(MatrixModel{}), 5),
              testsupport::testData("analysis/empty_report.json"));
}

}  // namespace
