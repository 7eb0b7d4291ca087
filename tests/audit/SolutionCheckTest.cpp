#include "AuditTestSupport.h"
#include "CheckReportWriter.h"
#include "LibraryFacts.h"
#include "SolutionCheck.h"

namespace {

using audittest::AuditedModel;
using Ranked = std::vector<std::pair<std::string, double>>;

CheckReport check(AuditedModel& audited, CheckOptions options = {}) {
    options.maximise = objectiveMaximised(audited.doc.matrixObject());
    return checkSolution(audited.doc.model(), audited.doc.primal(), options);
}

Ranked ranked(const CheckReport& report, CheckKind kind) {
    Ranked result;
    for (const Finding& finding : report.of(kind).ranked())
        result.emplace_back(finding.name, finding.magnitude);
    return result;
}

TEST(SolutionCheckTest, ConsistentOrPartialSolutionsReportNoViolation) {
    AuditedModel audited("base.mps", "base.sol");
    const CheckReport report = check(audited);
    EXPECT_EQ(std::tuple(report.violationCount(), report.rows, report.columnRecords,
                         report.rowsNotRecomputed + report.rowsWithoutRecord + report.strayRecords),
              std::tuple(0u, 5u, 4u, 0u));
    // A column without record leaves its rows unrecomputed rather than wrong; a record of no row
    // is counted apart.
    AuditedModel partial("base.mps", "partial.sol");
    const CheckReport partialReport = check(partial);
    // COST, DEM and CAP2 hold z.
    EXPECT_EQ(std::tuple(partialReport.columnsWithoutRecord, partialReport.rowsNotRecomputed,
                         partialReport.strayRecords, partialReport.violationCount()),
              std::tuple(1u, 3u, 1u, 0u));
}

// Maximising, a binding row at its lower limit needs a marginal <= 0 and a column at its
// upper limit a reduced cost >= 0: the minimising solution's DEM and w turn wrong.
TEST(SolutionCheckTest, MaximisingFlipsTheSigns) {
    AuditedModel audited("base_max.mps", "base.sol");
    const CheckReport report = check(audited);
    EXPECT_EQ(std::pair(report.options.maximise, report.violationCount()),
              std::pair(true, std::size_t{2}));
    EXPECT_EQ(ranked(report, CheckKind::kRowMarginal), (Ranked{{"DEM", 1.5}}));
    EXPECT_EQ(ranked(report, CheckKind::kColumnMarginal), (Ranked{{"w", 1}}));
}

// Each planted violation is found once, largest first (values in planted.sol's comment); a
// limit keeps the largest and counts all; nonlinear rows are not recomputed.
TEST(SolutionCheckTest, PlantedViolationsAreFoundRankedAndLimited) {
    AuditedModel audited("base.mps", "planted.sol");
    EXPECT_EQ(checkReportText(check(audited), "base.mps"),
              testsupport::testData("audit/planted_report.txt"));
    CheckOptions options;
    options.keep = 1;
    options.nonlinearRows.assign(audited.doc.model().rowNameTable.size(), false);
    options.nonlinearRows[4] = true;  // CAP2, fifth in the file
    const CheckReport report = check(audited, options);
    EXPECT_EQ(ranked(report, CheckKind::kRowActivity), (Ranked{{"LIM1", 0.5}}));
    EXPECT_EQ(report.of(CheckKind::kRowActivity).count(), 1u);
    EXPECT_EQ(report.rowsNotRecomputed, 1u);
    EXPECT_EQ(ranked(report, CheckKind::kRowBound), (Ranked{{"BAL", 3}}));
    EXPECT_EQ(report.of(CheckKind::kRowBound).count(), 2u);
}

}  // namespace
