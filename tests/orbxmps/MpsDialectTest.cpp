// The MPS forms that public solvers read beyond the classic sections, and what the reader
// keeps or skips (with a warning) where the model cannot hold them. Files in tests/data/mps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using mpstest::columnOf;
using mpstest::elementValue;
using mpstest::readData;
using mpstest::rowOf;

// Each warning names the file and line, then what was skipped or kept.
void expectWarnings(const MatrixStore& store, const std::string& file,
                    const std::vector<std::pair<int, std::string>>& expected) {
    const std::vector<std::string>& texts = store.warnings.texts();
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(texts[i]);
        const std::string where = file + ":" + std::to_string(expected[i].first) + ": ";
        EXPECT_NE(texts[i].find(where), std::string::npos);
        EXPECT_NE(texts[i].find(expected[i].second), std::string::npos);
    }
}

TEST(MpsDialectTest, ReadsObjectiveSenseConstantAndFortranNumbers) {
    const MatrixStore store = readData("objective.mps");
    EXPECT_TRUE(store.maximise);
    EXPECT_EQ(store.objectiveRow, 0);
    EXPECT_EQ(store.rhs[rowOf(store, "PROFIT")], -12.5);  // the constant is its negation
    EXPECT_EQ(elementValue(store, "X1", "PROFIT"), 3.0);
    EXPECT_EQ(elementValue(store, "X1", "CAP1"), 1.5);
    EXPECT_EQ(store.range[rowOf(store, "SPARE")], 0.0);
    expectWarnings(
        store, "objective.mps",
        {{14, "range on free row 'PROFIT' skipped"}, {14, "range on free row 'SPARE' skipped"}});
}

TEST(MpsDialectTest, ReadsSetsAndSemiContinuousBounds) {
    const MatrixStore store = readData("sets.mps");
    const std::size_t x1 = columnOf(store, "X1"), x2 = columnOf(store, "X2"),
                      x4 = columnOf(store, "X4"), x5 = columnOf(store, "X5");
    EXPECT_EQ(store.upper[x1], 8.0);
    EXPECT_EQ(store.columnFlags[x1], kColumnSemiContinuous);
    EXPECT_EQ(store.upper[x2], 6.5);
    EXPECT_EQ(store.columnFlags[x2], kColumnSemiContinuous | kColumnInteger);
    EXPECT_EQ(store.lower[x5], -kInfinity);
    EXPECT_EQ(store.lower[x4], 5.0);  // above the upper bound, and kept so
    EXPECT_EQ(store.upper[x4], 3.0);

    const MatrixExtensions& ext = store.extensions;
    struct Set {
        const char* name;
        int type;
        std::vector<std::pair<const char*, double>> members;
    };
    const Set expected[] = {{"SET3", 2, {{"X3", 1}, {"X4", 2}}},
                            {"SET1", 1, {{"X1", 5}, {"X2", 7}}},
                            {"SET2", 2, {{"X5", 1}, {"X4", 2}}}};
    ASSERT_EQ(ext.sets.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(ext.sets[i].name, expected[i].name);
        EXPECT_EQ(ext.sets[i].type, expected[i].type);
        ASSERT_EQ(ext.setMemberEnd(i) - ext.sets[i].firstMember, expected[i].members.size());
        for (std::size_t m = 0; m < expected[i].members.size(); ++m) {
            const std::size_t at = ext.sets[i].firstMember + m;
            EXPECT_EQ(ext.setMemberColumn[at], columnOf(store, expected[i].members[m].first));
            EXPECT_EQ(ext.setMemberWeight[at], expected[i].members[m].second);
        }
    }
    EXPECT_TRUE(ext.sets[1].hasPriority);
    EXPECT_EQ(ext.sets[1].priority, 2.0);
    expectWarnings(store, "sets.mps",
                   {{18, "negative upper bound on a column with lower bound 0"},
                    {21, "unknown column 'XX' in BOUNDS section: bound skipped"},
                    {29, "unknown column 'X9' in SOS section: skipped"}});
}

TEST(MpsDialectTest, ReadsQuadraticSectionsConesAndIndicators) {
    const MatrixStore store = readData("conic.mps");
    const NonlinearTermStore& q = store.nonlinear;
    ASSERT_EQ(q.terms.size(), 2u);
    EXPECT_EQ(q.terms[0].row, 0u);
    EXPECT_EQ(q.terms[0].coefficient, 1.0);  // the objective's block is a full Q: half
    EXPECT_EQ(q.terms[1].row, rowOf(store, "Q1"));
    EXPECT_EQ(q.terms[1].coefficient, 1.5);  // a constraint's terms stand as given

    const MatrixExtensions& ext = store.extensions;
    ASSERT_EQ(ext.cones.size(), 2u);
    EXPECT_EQ(ext.cones[0].name, "K1");
    EXPECT_EQ(ext.cones[0].type, "QUAD");
    EXPECT_TRUE(ext.cones[0].hasParameter);
    EXPECT_EQ(ext.coneMemberEnd(0) - ext.cones[0].firstMember, 3u);
    EXPECT_EQ(ext.cones[1].type, "RQUAD");
    EXPECT_FALSE(ext.cones[1].hasParameter);
    EXPECT_EQ(ext.coneMemberEnd(1) - ext.cones[1].firstMember, 1u);
    ASSERT_EQ(ext.indicators.size(), 2u);
    EXPECT_EQ(ext.indicators[0].row, rowOf(store, "Q1"));
    EXPECT_EQ(ext.indicators[0].column, columnOf(store, "T"));
    EXPECT_EQ(ext.indicators[0].value, 1);
    EXPECT_EQ(ext.indicators[1].value, 0);
    expectWarnings(store, "conic.mps",
                   {{20, "unknown column 'W' in CSECTION section: skipped"},
                    {24, "unknown row 'NOPE' in INDICATORS section: skipped"}});
}

TEST(MpsDialectTest, KeepsRepeatedNamesAndSkipsUnknownOnes) {
    const MatrixStore store = readData("repeats.mps");
    ASSERT_EQ(store.rowCount(), 4u);
    EXPECT_EQ(store.rowNames.name(2), "R1");
    EXPECT_EQ(store.rowType[2], kRowGreaterEqual);
    ASSERT_EQ(store.columnCount(), 3u);
    EXPECT_EQ(store.columnNames.name(2), "X1");
    // The first X1 keeps both entries of R1, the unknown row's is gone.
    ASSERT_EQ(store.columnStart[1], 3u);
    EXPECT_EQ(store.elementValue[1], 2.0);
    EXPECT_EQ(store.elementValue[2], 3.0);
    EXPECT_EQ(store.elementValue[store.columnStart[2]], 4.0);
    EXPECT_EQ(store.rhs[1], 5.0);
    EXPECT_EQ(store.rhs[3], 7.0);
    expectWarnings(store, "repeats.mps",
                   {{5, "duplicate row 'R1' kept as a second row"},
                    {9, "row 'R1' appears twice in column 'X1': both entries kept"},
                    {9, "unknown row 'GONE' in COLUMNS section: entry skipped"},
                    {11, "column 'X1' appears again after other columns"},
                    {14, "second RHS entry for row 'R2': the later value is kept"},
                    {14, "unknown row 'GONE' in RHS section: entry skipped"},
                    {16, "unknown row 'GONE' in RANGES section: entry skipped"}});
}

TEST(MpsDialectTest, KeepsRowsWrittenApartAndSkipsSectionsWithoutAPlace) {
    const MatrixStore store = readData("other_sections.mps");
    ASSERT_EQ(store.rowCount(), 4u);
    EXPECT_EQ(elementValue(store, "X1", "LAZY1"), 2.0);
    EXPECT_EQ(store.rowType[rowOf(store, "CUT1")], kRowGreaterEqual);
    expectWarnings(
        store, "other_sections.mps",
        {{5, "LAZYCONS rows kept as ordinary rows"},
         {7, "USERCUTS rows kept as ordinary rows"},
         {12, "section skipped with its 1 lines: the model has no place for it: \"BRANCH\""},
         {14, "section skipped with its 1 lines"}});
}

TEST(MpsDialectTest, ChecksWhatFollowsEndataInACompressedStream) {
    testsupport::TempFolder folder;
    const std::string model = "ROWS\n N  COST\nENDATA\n";
    MatrixStore store;
    readMpsFile(mpstest::writeGzip(folder, "ok.mps.gz", model + "\n* end\n"), MpsFormat::kAuto,
                store);
    EXPECT_EQ(store.rowCount(), 1u);
    const std::string message = mpstest::fileRejection(mpstest::writeGzip(
        folder, "junk.mps.gz",
        model + std::string(1000, ' ') + "\nJUNK\n" + std::string(1 << 22, 'x')));
    EXPECT_NE(message.find("junk.mps.gz:5: text after ENDATA"), std::string::npos) << message;
}

}  // namespace
}  // namespace orbxmps
