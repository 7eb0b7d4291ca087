#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "AuditTestSupport.h"
#include "CompareReportWriter.h"
#include "ModelCompare.h"

namespace {

using audittest::AuditedModel;

CompareReport compare(AuditedModel& a, AuditedModel& b, CompareOptions options = {}) {
    return compareModels({a.doc.model(), a.doc.primal()}, {b.doc.model(), b.doc.primal()}, options);
}

std::vector<std::string> lines(const CompareReport& report, CompareKind kind) {
    std::vector<std::string> result;
    for (const Finding& finding : report.of(kind).ranked())
        result.push_back(compareFindingText(kind, finding));
    return result;
}

// Rows, columns and coefficients in another order, values off by float noise.
TEST(ModelCompareTest, ReorderedModelWithNoiseBelowTheToleranceIsTheSame) {
    AuditedModel a("base.mps", "base.sol");
    AuditedModel b("reordered.mps", "base.sol");
    const CompareReport report = compare(a, b);
    EXPECT_TRUE(report.solutions);
    EXPECT_EQ(report.differenceCount(), 0u) << compareReportText(report, "A", "B");

    CompareOptions exact;
    exact.tolerances = {0.0, 0.0};
    const CompareReport noisy = compare(a, b, exact);
    EXPECT_EQ(noisy.of(CompareKind::kCoefficient).count(), 3u);
    EXPECT_EQ(lines(noisy, CompareKind::kRhs),
              (std::vector<std::string>{"DEM: 4 -> 4.0000005 (by 4.7683716e-07)"}));
    EXPECT_EQ(noisy.of(CompareKind::kUpperBound).count(), 1u);
}

TEST(ModelCompareTest, EveryPlantedChangeIsFound) {
    AuditedModel a("base.mps", "base.sol");
    AuditedModel b("changed.mps", "changed.sol");
    const CompareReport report = compare(a, b);
    using Lines = std::vector<std::string>;
    const std::pair<CompareKind, Lines> expected[] = {
        {CompareKind::kRowOnlyInA, {"CAP2"}},
        {CompareKind::kRowOnlyInB, {"NEW"}},
        {CompareKind::kColumnOnlyInA, {"w"}},
        {CompareKind::kColumnOnlyInB, {"v"}},
        {CompareKind::kRowType, {"LIM1: L -> G"}},
        {CompareKind::kCoefficient,
         {"z in LIM1: - -> 4 (by 4)", "y in LIM1: 1 -> - (by 1)", "x in DEM: 1 -> 1.5 (by 0.5)"}},
        {CompareKind::kRhs, {"DEM: 4 -> 5 (by 1)"}},
        {CompareKind::kRange, {"BAL: 3 -> 2 (by 1)"}},
        {CompareKind::kLowerBound, {"y: 1 -> 0.5 (by 0.5)"}},
        {CompareKind::kUpperBound, {"x: 6 -> inf (by inf)"}},
        {CompareKind::kRowActivity, {"COST: 7 -> 9 (by 2)"}},
        {CompareKind::kRowMarginal, {"LIM1: 0 -> 0.5 (by 0.5)"}},
        {CompareKind::kRowStatus, {"LIM1: 3 -> 6"}},
        {CompareKind::kColumnActivity, {}},
        {CompareKind::kColumnMarginal, {}},
        {CompareKind::kColumnStatus, {"y: 3 -> 6"}},
    };
    for (const auto& [kind, wanted] : expected) {
        SCOPED_TRACE(std::string(compareKindName(kind)));
        EXPECT_EQ(lines(report, kind), wanted);
    }
    EXPECT_EQ(report.differenceCount(), 16u);
}

TEST(ModelCompareTest, SolutionsAreComparedOnlyWhenBothSidesHaveOne) {
    AuditedModel a("base.mps", "base.sol");
    AuditedModel b("base.mps", "");
    const CompareReport report = compare(a, b);
    EXPECT_FALSE(report.solutions);
    EXPECT_EQ(report.differenceCount(), 0u);
}

}  // namespace
