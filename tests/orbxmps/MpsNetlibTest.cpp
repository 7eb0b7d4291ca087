// Exact content of netlib models shipped in tests/data/netlib, beyond what the netlib tests
// compare with another reader: free rows, zeros, file order and names with blanks.

#include <gtest/gtest.h>

#include <string>

#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using mpstest::columnOf;
using mpstest::elementValue;
using mpstest::rowOf;

MatrixStore shipped(const std::string& name, MpsFormat format = MpsFormat::kAuto) {
    MatrixStore store;
    readMpsFile(NORVA_TEST_DATA_DIR "/netlib/" + name + ".mps.gz", format, store);
    return store;
}

TEST(MpsNetlibTest, ReadsAfiroExactly) {
    MatrixStore store = shipped("afiro");
    EXPECT_EQ(store.problemName, "AFIRO");
    EXPECT_EQ(store.rowCount(), 28u);
    EXPECT_EQ(store.columnCount(), 32u);
    EXPECT_EQ(store.elementCount(), 88u);
    EXPECT_EQ(store.objectiveRow, static_cast<std::int64_t>(rowOf(store, "COST")));
    EXPECT_EQ(store.objectiveRow, 27);
    EXPECT_EQ(store.rowType[rowOf(store, "R09")], kRowEqual);
    EXPECT_EQ(store.rowType[rowOf(store, "X05")], kRowLessEqual);
    const std::pair<const char*, double> x01[] = {
        {"X48", 0.301}, {"R09", -1.0}, {"R10", -1.06}, {"X05", 1.0}};
    for (const auto& [row, value] : x01) EXPECT_EQ(elementValue(store, "X01", row), value) << row;
    EXPECT_EQ(elementValue(store, "X02", "COST"), -0.4);
    EXPECT_EQ(store.columnStart[columnOf(store, "X02")], 4u);
    EXPECT_EQ(store.rhs[rowOf(store, "X50")], 310.0);
    EXPECT_EQ(store.rhs[rowOf(store, "R09")], 0.0);
    // The objective row lists the five columns with a cost (X02 X14 X23 X36 X39).
    store.ensureRowOrder();
    ASSERT_EQ(store.rowStart[28] - store.rowStart[27], 5u);
    EXPECT_EQ(store.elementValue[store.rowElements[store.rowStart[27] + 4]], 10.0);
}

TEST(MpsNetlibTest, ReadsForplanOnlyByColumns) {
    EXPECT_THROW(shipped("forplan", MpsFormat::kFree), CMF_Exception);  // "DEDO3 1R" has a blank
    const MatrixStore fixed = shipped("forplan", MpsFormat::kFixed);
    EXPECT_GE(fixed.rowNames.find("DEDO3 1R"), 0);
    const MatrixStore automatic = shipped("forplan");
    EXPECT_EQ(automatic.rowCount(), fixed.rowCount());
    EXPECT_EQ(automatic.elementCount(), fixed.elementCount());
}

}  // namespace
}  // namespace orbxmps
