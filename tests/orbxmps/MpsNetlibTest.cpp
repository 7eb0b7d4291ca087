// Netlib models: exact content of a few small ones shipped in tests/data/netlib, and the whole
// set (when the shared data folder is there) in each format the files allow.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "MpsTestSupport.h"
#include "OrbFileFixture.h"

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
    for (std::size_t c = 0; c < store.columnCount(); ++c) {
        EXPECT_EQ(store.lower[c], 0.0);
        EXPECT_EQ(store.upper[c], kInfinity);
    }
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

// Every netlib model loads automatically; free and fixed readings agree wherever the free
// one is possible, and only forplan (row names with blanks) needs fixed columns.
TEST(MpsNetlibTest, ReadsWholeSetInEachFormat) {
    const std::filesystem::path folder = std::filesystem::path(NORVA_SHARED_DATA_DIR) / "netlib";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no " << folder;
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().string().ends_with(".mps.gz")) paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    ASSERT_GE(paths.size(), 90u);
    std::vector<std::string> fixedOnly;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        MatrixStore automatic;
        MatrixStore fixed;
        ASSERT_NO_THROW(load(path, automatic));
        ASSERT_NO_THROW(load(path, fixed, MpsFormat::kFixed));
        testsupport::expectSameStore(automatic, fixed);
        MatrixStore free;
        try {
            load(path, free, MpsFormat::kFree);
            testsupport::expectSameStore(free, fixed);
        } catch (const CMF_Exception&) {
            fixedOnly.push_back(std::filesystem::path(path).filename().string());
        }
    }
    EXPECT_EQ(fixedOnly, std::vector<std::string>{"forplan.mps.gz"});
}

}  // namespace
}  // namespace orbxmps
