#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MpsReader.h"
#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using mpstest::columnOf;
using mpstest::elementValue;
using mpstest::readData;
using mpstest::readText;
using mpstest::rowOf;

TEST(MpsReaderTest, ReadsSmallModel) {
    MatrixStore store = readData("small.mps", MpsFormat::kFree);
    EXPECT_EQ(store.problemName, "SMALL");
    EXPECT_FALSE(store.maximise);
    ASSERT_EQ(store.rowCount(), 5u);
    ASSERT_EQ(store.columnCount(), 3u);
    ASSERT_EQ(store.elementCount(), 8u);
    EXPECT_EQ(store.objectiveRow, 0);
    const std::int16_t types[] = {kRowFree, kRowLessEqual, kRowGreaterEqual, kRowEqual, kRowFree};
    for (int r = 0; r < 5; ++r) EXPECT_EQ(store.rowType[r], types[r]) << r;
    EXPECT_EQ(store.rhs[rowOf(store, "COST")], -3.5);  // as given, not negated
    EXPECT_EQ(store.rhs[rowOf(store, "MYEQN")], 7.0);
    EXPECT_EQ(elementValue(store, "X2", "LIM1"), 0.0);  // zeros are kept
    EXPECT_EQ(elementValue(store, "X2", "SPARE"), 4.5);
    const std::uint32_t expectedStarts[] = {0, 3, 7, 8};
    ASSERT_EQ(store.columnStart.size(), 4u);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(store.columnStart[c], expectedStarts[c]);
    // Row order, made on first use: MYEQN (row 3) holds X2's and X3's elements, in column order.
    EXPECT_TRUE(store.rowStart.empty());
    store.ensureRowOrder();
    ASSERT_EQ(store.rowStart.size(), 6u);
    EXPECT_EQ(store.rowStart[4] - store.rowStart[3], 2u);
    EXPECT_EQ(store.rowElements[store.rowStart[3]], 5u);
    EXPECT_EQ(store.rowElements[store.rowStart[3] + 1], 7u);
    EXPECT_EQ(store.upper[2], kInfinity);
}

TEST(MpsReaderTest, LeavesStoreEmptyOnFailure) {
    MatrixStore store = readData("small.mps");
    EXPECT_THROW(readText("ROWS\n N  COST\nCOLUMNS\n    X1  COST  x\nENDATA\n", store),
                 CMF_Exception);
    EXPECT_EQ(store.rowCount() + store.columnCount() + store.elementCount(), 0u);
    EXPECT_EQ(store.rowNames.find("COST"), NameTable::kNotFound);
}

TEST(MpsReaderTest, RejectsBadInputAtItsLine) {
    const std::vector<mpstest::TextCase> cases = mpstest::textCases("mps/rejected.txt");
    ASSERT_EQ(cases.size(), 39u) << "tests/data/mps/rejected.txt missing or cut";
    for (const mpstest::TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_REJECTED_AT(c.text, c.line, c.phrase);
    }
    EXPECT_REJECTED_AT("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\nRHS", 5, "without ENDATA");
    const std::string head = "ROWS\n N  COST\nCOLUMNS\n    X1  COST  ";
    for (const char* bad : {"nan", "NaN", "inf", "-inf", "Infinity", "1.0x", "--1", "+-1", "1,5",
                            "0x10", "1e", "-", "."}) {
        SCOPED_TRACE(bad);
        EXPECT_REJECTED_AT(head + bad + "\nENDATA\n", 4, "value is not a number");
    }
    // The quoted line is cut at 80 characters.
    const std::string tail(100, '7');
    const std::string message = mpstest::rejection(head + "1" + tail + "x\nENDATA\n");
    const std::string quoted = "\"    X1  COST  1" + tail.substr(0, 80 - 15) + "\"";
    EXPECT_TRUE(message.ends_with(quoted)) << message;
}

TEST(MpsReaderTest, ReadsBlankAndCommentLinesAfterEndataAndSameRowInEachColumn) {
    MatrixStore store;
    readText("ROWS\n N  COST\nENDATA\n\n* done\n   \n", store);
    EXPECT_EQ(store.rowCount(), 1u);
    // The per-row stamp must not confuse a later column with an earlier one.
    readText("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\n    X2  COST  2\n    X3  COST  3\nENDATA\n",
             store);
    EXPECT_EQ(store.elementCount(), 3u);
    store.ensureRowOrder();
    EXPECT_EQ(store.rowStart[1], 3u);
}

TEST(MpsReaderTest, ReadsValuesOfTheFirstSetsAndClampsOnlyBounds) {
    const MatrixStore store = readData("values.mps");
    const std::pair<const char*, double> elements[] = {
        {"COST", 1e21}, {"LIM1", -1e20}, {"LIM2", 9.99e19}};
    for (const auto& [row, value] : elements) EXPECT_EQ(elementValue(store, "X1", row), value);
    const std::pair<const char*, double> spellings[] = {
        {"COST", 2.5}, {"LIM1", -0.5}, {"LIM2", 1.0}, {"EQ1", 1e-3}, {"EQ2", -700.0}};
    for (const auto& [row, value] : spellings) EXPECT_EQ(elementValue(store, "X2", row), value);
    const double rhs[] = {0.0, 1e30, -3.4e38, -2.5, 0.0};
    const double range[] = {0.0, 2e20, 0.0, 3.0, -3.0};  // as given, the sign on E rows included
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(store.rhs[r], rhs[r]) << r;
        EXPECT_EQ(store.range[r], range[r]) << r;
    }
    EXPECT_EQ(store.upper[0], kInfinity);
    EXPECT_EQ(store.lower[0], -kInfinity);
    const std::uint8_t flags[] = {0, kColumnInteger, 0, kColumnInteger};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(store.columnFlags[c], flags[c]) << c;
    EXPECT_EQ(store.upper[1], kInfinity);  // integer columns keep the default bounds
    EXPECT_EQ(store.lower[1], 0.0);
}

TEST(MpsReaderTest, ReadsObjectiveSenseForms) {
    const std::string rest = "ROWS\n N  COST\nENDATA\n";
    for (const char* form :
         {"OBJSENSE MAX\n", "OBJSENSE    MAXIMIZE\n", "OBJSENSE\n    MAX\n",
          "OBJSENSE\n\tMAXIMIZE\n", "OBJSENSE MIN\n", "OBJSENSE\n    MINIMIZE\n", ""}) {
        for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kFixed}) {
            SCOPED_TRACE(form);
            MatrixStore store;
            readText(std::string("NAME  S\n") + form + rest, store, format);
            EXPECT_EQ(store.maximise, std::string(form).find("MAX") != std::string::npos);
        }
    }
}

TEST(MpsReaderTest, ReadsEveryBoundKind) {
    const MatrixStore store = readData("bounds.mps");
    const struct {
        const char* column;
        double lower;
        double upper;
        std::uint8_t flags;
    } expected[] = {
        {"UPNEG", -kInfinity, -4, 0},
        {"UPPOS", 0, 4, 0},
        {"LOUPNEG", -9, -4, 0},
        {"LO", 2.5, kInfinity, 0},
        {"FX", 3, 3, 0},
        {"FR", -kInfinity, kInfinity, 0},
        {"MI", -kInfinity, kInfinity, 0},
        {"PL", 0, kInfinity, 0},
        {"BV", 0, 1, kColumnInteger},
        {"LI", -2, kInfinity, kColumnInteger},
        {"UI", 0, 7, kColumnInteger},
        {"SC", 0, 8, kColumnSemiContinuous},
        {"SCFREE", 0, kInfinity, kColumnSemiContinuous},
        {"OTHER", 0, kInfinity, 0},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.column);
        const std::size_t c = columnOf(store, e.column);
        EXPECT_EQ(store.lower[c], e.lower);
        EXPECT_EQ(store.upper[c], e.upper);
        EXPECT_EQ(store.columnFlags[c], e.flags);
    }
}

TEST(MpsReaderTest, ReadsRhsAndBoundsWithoutSetName) {
    const MatrixStore store = readData("no_set_names.mps");
    EXPECT_EQ(store.rhs[0], -1.0);
    EXPECT_EQ(store.rhs[1], 4.0);
    EXPECT_EQ(store.rhs[2], 5.0);
    EXPECT_EQ(store.upper[0], 4.0);
    EXPECT_EQ(store.lower[1], -kInfinity);
    EXPECT_EQ(store.upper[2], 6.0);
    EXPECT_EQ(store.columnFlags[2], kColumnSemiContinuous);
}

TEST(MpsReaderTest, ReadsQuadraticSections) {
    const MatrixStore store = readData("quadratic.mps");
    const NonlinearTermStore& q = store.nonlinear;
    ASSERT_EQ(q.terms.size(), 4u);
    // The diagonal of QUADOBJ and all of QMATRIX are halved; off the diagonal, as given.
    const double coefficients[] = {2.0, 3.0, 3.0, 2.5};
    const std::uint32_t rows[] = {0, 0, 0, 1};
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(q.terms[t].coefficient, coefficients[t]) << t;
        EXPECT_EQ(q.terms[t].row, rows[t]) << t;
    }
    EXPECT_EQ(q.terms[1].first, 0u);
    EXPECT_EQ(q.terms[1].second, 1u);
    EXPECT_EQ(q.countOfRow(0), 3u);  // the row index is built
    EXPECT_EQ(q.countOfRow(1), 1u);
}

}  // namespace
}  // namespace orbxmps
