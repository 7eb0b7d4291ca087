#include "AuditTestSupport.h"
#include "CompareReportWriter.h"
#include "ModelCompare.h"

namespace {

using audittest::AuditedModel;

CompareReport compare(AuditedModel& a, AuditedModel& b, CompareOptions options = {}) {
    return compareModels({a.doc.model(), a.doc.primal()}, {b.doc.model(), b.doc.primal()}, options);
}

// Rows, columns and coefficients in another order, values off by float noise.
TEST(ModelCompareTest, NoiseBelowTheToleranceIsTheSameAndEveryPlantedChangeIsFound) {
    AuditedModel a("base.mps", "base.sol");
    AuditedModel b("reordered.mps", "base.sol");
    const CompareReport report = compare(a, b);
    EXPECT_TRUE(report.solutions);
    EXPECT_EQ(report.differenceCount(), 0u) << compareReportText(report, "A", "B");

    CompareOptions exact;
    exact.tolerances = {0.0, 0.0};
    const CompareReport noisy = compare(a, b, exact);
    EXPECT_EQ(noisy.of(CompareKind::kCoefficient).count(), 3u);
    ASSERT_EQ(noisy.of(CompareKind::kRhs).count(), 1u);
    EXPECT_EQ(compareFindingText(CompareKind::kRhs, noisy.of(CompareKind::kRhs).ranked()[0]),
              "DEM: 4 -> 4.0000005 (by 4.7683716e-07)");
    EXPECT_EQ(noisy.of(CompareKind::kUpperBound).count(), 1u);

    // Solutions are compared only when both sides have one.
    AuditedModel bare("base.mps", "");
    EXPECT_FALSE(compare(a, bare).solutions);
    EXPECT_EQ(compare(a, bare).differenceCount(), 0u);

    // Every planted change once, ranked within its kind; the expected listing names them.
    AuditedModel changed("changed.mps", "changed.sol");
    EXPECT_EQ(compareReportText(compare(a, changed), "A", "B"),
              testsupport::testData("audit/changed_report.txt"));
}

}  // namespace
