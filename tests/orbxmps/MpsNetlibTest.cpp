// Exact content of a few netlib models shipped in tests/data/netlib. The whole set, in each
// format, is checked against another reader in the netlib tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using mpstest::columnOf;
using mpstest::elementValue;
using mpstest::rowOf;

std::string shipped(const std::string& name) {
    return std::string(NORVA_TEST_DATA_DIR) + "/netlib/" + name + ".mps.gz";
}

MatrixStore& load(const std::string& path, MatrixStore& store,
                  MpsFormat format = MpsFormat::kAuto) {
    readMpsFile(path, format, store);
    return store;
}

TEST(MpsNetlibTest, ReadsAfiroExactly) {
    MatrixStore store;
    load(shipped("afiro"), store);
    EXPECT_EQ(store.problemName, "AFIRO");
    EXPECT_EQ(store.rowCount(), 28u);
    EXPECT_EQ(store.columnCount(), 32u);
    EXPECT_EQ(store.elementCount(), 88u);
    EXPECT_EQ(store.objectiveRow, static_cast<std::int64_t>(rowOf(store, "COST")));
    EXPECT_EQ(store.objectiveRow, 27);
    EXPECT_EQ(store.rowType[rowOf(store, "R09")], kRowEqual);
    EXPECT_EQ(store.rowType[rowOf(store, "X05")], kRowLessEqual);
    EXPECT_EQ(elementValue(store, "X01", "X48"), 0.301);
    EXPECT_EQ(elementValue(store, "X01", "R09"), -1.0);
    EXPECT_EQ(elementValue(store, "X01", "R10"), -1.06);
    EXPECT_EQ(elementValue(store, "X01", "X05"), 1.0);
    EXPECT_EQ(elementValue(store, "X02", "COST"), -0.4);
    EXPECT_EQ(store.columnStart[columnOf(store, "X02")], 4u);
    EXPECT_EQ(store.rhs[rowOf(store, "X50")], 310.0);
    EXPECT_EQ(store.rhs[rowOf(store, "R23")], 44.0);
    EXPECT_EQ(store.rhs[rowOf(store, "R09")], 0.0);
    for (std::size_t c = 0; c < store.columnCount(); ++c)
        EXPECT_EQ(std::pair(store.lower[c], store.upper[c]), std::pair(0.0, kInfinity)) << c;
    // The objective row lists the five columns with a cost (X02 X14 X23 X36 X39).
    store.ensureRowOrder();
    ASSERT_EQ(store.rowStart[28] - store.rowStart[27], 5u);
    EXPECT_EQ(store.elementValue[store.rowElements[store.rowStart[27] + 4]], 10.0);
}

TEST(MpsNetlibTest, ReadsBoeing1RangesAndBounds) {
    MatrixStore store;
    load(shipped("boeing1"), store);
    EXPECT_EQ(store.rowCount(), 352u);  // 351 constraints and the objective, as the ROWS list
    EXPECT_EQ(store.columnCount(), 384u);
    EXPECT_EQ(store.rowType[rowOf(store, "REVENUES")], kRowGreaterEqual);
    EXPECT_EQ(store.objectiveRow, static_cast<std::int64_t>(rowOf(store, "OBJECTIV")));
    EXPECT_EQ(store.rhs[rowOf(store, "SYSTDEPT")], 200.0);
    EXPECT_EQ(store.rhs[rowOf(store, "DMBOSHNL")], 12.0);
    EXPECT_EQ(store.range[rowOf(store, "DMBOSHNL")], 2.0);
    EXPECT_EQ(store.range[rowOf(store, "DMLAXSFO")], 296.0);
    EXPECT_EQ(elementValue(store, "PBOSHNL0", "LFRPMASM"), -5.16595);
    // LO -105 then UP 0: the zero upper bound is not negative, the lower bound stays.
    EXPECT_EQ(store.lower[columnOf(store, "GRDTIMN1")], -105.0);
    EXPECT_EQ(store.upper[columnOf(store, "GRDTIMN1")], 0.0);
}

TEST(MpsNetlibTest, ReadsSmallModelsCounts) {
    struct Case {
        const char* name;
        std::size_t rows, columns, elements;
    };
    for (const Case& c : {Case{"adlittle", 57, 97, 465}, Case{"sc50a", 51, 48, 131},
                          Case{"kb2", 44, 41, 291}, Case{"blend", 75, 83, 521}}) {
        SCOPED_TRACE(c.name);
        MatrixStore store;
        load(shipped(c.name), store);
        EXPECT_EQ(store.rowCount(), c.rows);
        EXPECT_EQ(store.columnCount(), c.columns);
        EXPECT_EQ(store.elementCount(), c.elements);
    }
    MatrixStore kb2;
    load(shipped("kb2"), kb2);
    EXPECT_EQ(kb2.upper[columnOf(kb2, "BHC.3EBW")], 10.0);
    EXPECT_EQ(kb2.upper[columnOf(kb2, "ETO...BW")], 5.0);
}

TEST(MpsNetlibTest, ReadsForplanOnlyByColumns) {
    const std::string path = shipped("forplan");
    MatrixStore store;
    EXPECT_THROW(load(path, store, MpsFormat::kFree), CMF_Exception);  // "DEDO3 1R" has a blank
    load(path, store, MpsFormat::kFixed);
    EXPECT_GE(store.rowNames.find("DEDO3 1R"), 0);
    MatrixStore automatic;
    load(path, automatic);
    EXPECT_EQ(automatic.rowCount(), store.rowCount());
    EXPECT_EQ(automatic.elementCount(), store.elementCount());
}

}  // namespace
}  // namespace orbxmps
