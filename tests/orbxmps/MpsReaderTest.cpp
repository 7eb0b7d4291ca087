#include <gtest/gtest.h>

#include <string>

#include "MpsReader.h"
#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using mpstest::columnOf;
using mpstest::elementValue;
using mpstest::readText;
using mpstest::rowOf;

constexpr const char* kSmallModel =
    "* a comment line\n"
    "NAME          SMALL\n"
    "ROWS\n"
    " N  COST\n"
    " L  LIM1\n"
    "\n"
    " G  LIM2\n"
    " E  MYEQN\n"
    " N  SPARE\n"
    "COLUMNS\n"
    "    X1        COST         1.0   LIM1         1.0\n"
    "    X1        LIM2         1.0\n"
    "\tX2\tCOST\t2.0\tLIM1\t0\n"
    "    X2        MYEQN       -1.0   SPARE        4.5\n"
    "    X3        MYEQN        1.0\n"
    "RHS\n"
    "    RHS       LIM1         4.0   LIM2         1.0\n"
    "    RHS       MYEQN        7.0   COST        -3.5\n"
    "ENDATA\n";

TEST(MpsReaderTest, ReadsSmallModel) {
    MatrixStore store;
    readText(kSmallModel, store, MpsFormat::kFree);
    EXPECT_EQ(store.problemName, "SMALL");
    EXPECT_FALSE(store.maximise);
    ASSERT_EQ(store.rowCount(), 5u);
    ASSERT_EQ(store.columnCount(), 3u);
    ASSERT_EQ(store.elementCount(), 8u);
    EXPECT_EQ(store.objectiveRow, 0);
    EXPECT_EQ(store.rowType[rowOf(store, "SPARE")], kRowFree);
    EXPECT_EQ(store.rowType[rowOf(store, "LIM1")], kRowLessEqual);
    EXPECT_EQ(store.rowType[rowOf(store, "LIM2")], kRowGreaterEqual);
    EXPECT_EQ(store.rowType[rowOf(store, "MYEQN")], kRowEqual);
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
    EXPECT_EQ(store.lower[2], 0.0);
    EXPECT_EQ(store.upper[2], kInfinity);
}

TEST(MpsReaderTest, ReadsThroughTheMatrixManager) {
    ORBObject* object = nullptr;
    XMPSManager* manager = nullptr;
    ASSERT_TRUE(ORBObjectFactory(&object));
    ASSERT_TRUE(CreateXMPSManagerObject(&manager));
    mpstest::TempFolder folder;
    manager->setInputFile(folder.write("small.mps", kSmallModel));
    manager->attach(object);
    manager->loadProblem();
    const ORBRow row = object->getRowManager()->findRow("MYEQN");
    ASSERT_TRUE(row);
    EXPECT_EQ(row.index(), 4);
    EXPECT_EQ(row.rhs(), 7.0);
    ORBColumn column;
    ASSERT_TRUE(object->getColumnManager()->columnByIndex(2, &column));
    EXPECT_EQ(column.name(), "X2");
    manager->release();
    object->release();
}

TEST(MpsReaderTest, LeavesStoreEmptyOnFailure) {
    MatrixStore store;
    readText(kSmallModel, store);
    ASSERT_EQ(store.rowCount(), 5u);
    EXPECT_THROW(readText("ROWS\n N  COST\nCOLUMNS\n    X1  COST  x\nENDATA\n", store),
                 CMF_Exception);
    EXPECT_EQ(store.rowCount(), 0u);
    EXPECT_EQ(store.columnCount(), 0u);
    EXPECT_EQ(store.elementCount(), 0u);
    EXPECT_EQ(store.rowNames.find("COST"), NameTable::kNotFound);
}

TEST(MpsReaderTest, RejectsBadValueWithFullMessage) {
    const std::string message = mpstest::rejection(
        "NAME\nROWS\n N  COST\n L  LIM1\nCOLUMNS\n    X1  LIM1  1.0\n    X1  COST  1.0.\nENDATA\n");
    EXPECT_EQ(message, "model.mps:7: value is not a number: \"    X1  COST  1.0.\"");
}

TEST(MpsReaderTest, CutsQuotedLineAtEightyCharacters) {
    const std::string tail(100, '7');
    const std::string message =
        mpstest::rejection("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1" + tail + "x\nENDATA\n");
    const std::string quoted = "\"    X1  COST  1" + tail.substr(0, 80 - 15) + "\"";
    EXPECT_EQ(message.substr(message.size() - quoted.size()), quoted) << message;
}

TEST(MpsReaderTest, RejectsBrokenStructure) {
    EXPECT_REJECTED_AT("ROWS\n N  COST\n X  LIM1\nENDATA\n", 3, "unknown row type 'X'");
    EXPECT_REJECTED_AT("ROWS\n N  COST\n L\nENDATA\n", 3, "expected row type and row name");
    EXPECT_REJECTED_AT("NAME X\nROWS\n N  COST\nCOLUMS\nENDATA\n", 4, "unknown section 'COLUMS'");
    EXPECT_REJECTED_AT("  X1 COST 1\nROWS\n", 1, "data line before the first section");
    EXPECT_REJECTED_AT("NAME X\n  junk\nROWS\n", 2, "data line in NAME section");
    EXPECT_REJECTED_AT("* nothing\n\n", 2, "no MPS sections");
    EXPECT_REJECTED_AT("ROWS\n N  COST\nCOLUMNS\nROWS\nENDATA\n", 4, "ROWS section after");
    EXPECT_REJECTED_AT("ROWS\n N  C\nCOLUMNS\nRHS\nCOLUMNS\nENDATA\n", 5, "second COLUMNS");
    EXPECT_REJECTED_AT("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\n", 4, "without ENDATA");
    EXPECT_REJECTED_AT("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\nRHS", 5, "without ENDATA");
}

TEST(MpsReaderTest, AllowsOnlyBlankLinesAfterEndata) {
    MatrixStore store;
    readText("ROWS\n N  COST\nENDATA\n\n* done\n   \n", store);
    EXPECT_EQ(store.rowCount(), 1u);
    EXPECT_REJECTED_AT("ROWS\n N  COST\nENDATA\n\nwhatever follows\n", 5, "text after ENDATA");
}

TEST(MpsReaderTest, RejectsBadColumnsAndRhsLines) {
    const std::string head = "ROWS\n N  COST\n L  LIM1\nCOLUMNS\n";
    EXPECT_REJECTED_AT(head + "    X1  COST\nENDATA\n", 5, "expected column, row and value");
    EXPECT_REJECTED_AT(head + "    X1  COST  1  LIM1\nENDATA\n", 5,
                       "expected column, row and value");
    EXPECT_REJECTED_AT(head + "    X1  COST  1  LIM1  2  LIM1  2\nENDATA\n", 5, "too many fields");
    EXPECT_REJECTED_AT(head + "    X1  LIM1  1\nRHS\n    RHS\nENDATA\n", 7,
                       "expected [set] row value");
    EXPECT_REJECTED_AT(head + "    M1  'MARKER'  'INTBEG'\nENDATA\n", 5,
                       "unknown marker ''INTBEG''");
}

TEST(MpsReaderTest, ReadsSameRowInDifferentColumns) {
    MatrixStore store;
    // The per-row stamp must not confuse a later column with an earlier one.
    readText("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\n    X2  COST  2\n    X3  COST  3\nENDATA\n",
             store);
    EXPECT_EQ(store.elementCount(), 3u);
    store.ensureRowOrder();
    EXPECT_EQ(store.rowStart[1], 3u);
}

TEST(MpsReaderTest, RejectsNonNumbers) {
    const std::string head = "ROWS\n N  COST\nCOLUMNS\n";
    for (const char* bad : {"nan", "NaN", "inf", "-inf", "Infinity", "1.0x", "--1", "+-1", "1,5",
                            "0x10", "1e", "-", "."}) {
        SCOPED_TRACE(bad);
        EXPECT_REJECTED_AT(head + "    X1  COST  " + bad + "\nENDATA\n", 4,
                           "value is not a number");
    }
    EXPECT_REJECTED_AT(head + "    X1  COST  1\nRHS\n    RHS  COST  nan\nENDATA\n", 6,
                       "value is not a number");
}

TEST(MpsReaderTest, ReadsNumberSpellings) {
    MatrixStore store;
    readText(
        "ROWS\n N  C\n L  A\n L  B\n L  D\n L  E\nCOLUMNS\n"
        "    X1  C  +2.5  A  -.5\n    X1  B  1.  D  1E-3\n    X1  E  -7e+2\nENDATA\n",
        store);
    EXPECT_EQ(elementValue(store, "X1", "C"), 2.5);
    EXPECT_EQ(elementValue(store, "X1", "A"), -0.5);
    EXPECT_EQ(elementValue(store, "X1", "B"), 1.0);
    EXPECT_EQ(elementValue(store, "X1", "D"), 1e-3);
    EXPECT_EQ(elementValue(store, "X1", "E"), -700.0);
}

TEST(MpsReaderTest, ClampsOnlyBoundsFrom1e20) {
    MatrixStore store;
    readText(
        "ROWS\n N  COST\n L  LIM1\n G  LIM2\nCOLUMNS\n"
        "    X1  COST  1e21  LIM1  -1e20\n    X1  LIM2  9.99e19\n"
        "RHS\n    RHS  LIM1  1e30  LIM2  -3.4e38\n"
        "RANGES\n    RNG  LIM1  2e20\n"
        "BOUNDS\n UP BND  X1  1e300\n LO BND  X1  -1e20\nENDATA\n",
        store);
    EXPECT_EQ(elementValue(store, "X1", "COST"), 1e21);
    EXPECT_EQ(elementValue(store, "X1", "LIM1"), -1e20);
    EXPECT_EQ(elementValue(store, "X1", "LIM2"), 9.99e19);
    EXPECT_EQ(store.rhs[1], 1e30);
    EXPECT_EQ(store.rhs[2], -3.4e38);
    EXPECT_EQ(store.range[1], 2e20);
    EXPECT_EQ(store.upper[0], kInfinity);
    EXPECT_EQ(store.lower[0], -kInfinity);
}

TEST(MpsReaderTest, ReadsObjectiveSenseForms) {
    const std::string rest = "ROWS\n N  COST\nENDATA\n";
    for (const char* form : {"OBJSENSE MAX\n", "OBJSENSE    MAXIMIZE\n", "OBJSENSE\n    MAX\n",
                             "OBJSENSE\n\tMAXIMIZE\n"}) {
        for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kFixed}) {
            SCOPED_TRACE(form);
            MatrixStore store;
            readText(std::string("NAME  S\n") + form + rest, store, format);
            EXPECT_TRUE(store.maximise);
        }
    }
    for (const char* form : {"OBJSENSE MIN\n", "OBJSENSE\n    MINIMIZE\n", ""}) {
        SCOPED_TRACE(form);
        MatrixStore store;
        readText(std::string("NAME  S\n") + form + rest, store);
        EXPECT_FALSE(store.maximise);
    }
}

TEST(MpsReaderTest, RejectsBadObjectiveSense) {
    EXPECT_REJECTED_AT("OBJSENSE UP\nROWS\n", 1, "unknown objective sense 'UP'");
    EXPECT_REJECTED_AT("OBJSENSE\n    SIDEWAYS\nROWS\n", 2, "unknown objective sense 'SIDEWAYS'");
    EXPECT_REJECTED_AT("OBJSENSE MAX\n    MIN\nROWS\n", 2, "objective sense given twice");
}

TEST(MpsReaderTest, ReadsMarkedIntegerColumns) {
    MatrixStore store;
    readText(
        "ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\n"
        "    M1  'MARKER'  'INTORG'\n    X2  COST  1\n    X3  COST  1\n"
        "    M2  'MARKER'  'INTEND'\n    X4  COST  1\n"
        "    MARKER  MARKER  INTORG\n    X5  COST  1\n    MARKER  MARKER  INTEND\nENDATA\n",
        store);
    ASSERT_EQ(store.columnCount(), 5u);
    const std::uint8_t expected[] = {0, kColumnInteger, kColumnInteger, 0, kColumnInteger};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(store.columnFlags[c], expected[c]) << c;
    EXPECT_EQ(store.upper[1], kInfinity);  // integer columns keep the default bounds
    EXPECT_EQ(store.lower[1], 0.0);
}

TEST(MpsReaderTest, ReadsRhsAndRangesOfTheFirstSetOnly) {
    MatrixStore store;
    readText(
        "ROWS\n N  COST\n L  LIM1\n G  LIM2\n E  EQ1\n E  EQ2\nCOLUMNS\n    X1  LIM1  1\n"
        "RHS\n    RHS1  LIM1  4  LIM2  1\n    RHS2  LIM1  99\n    RHS1  EQ1  -2.5\n"
        "RANGES\n    RNG1  EQ1  3  EQ2  -3\n    RNG2  LIM1  99\n    RNG1  LIM1  2.5\n"
        "ENDATA\n",
        store);
    EXPECT_EQ(store.rhs[rowOf(store, "LIM1")], 4.0);
    EXPECT_EQ(store.rhs[rowOf(store, "LIM2")], 1.0);
    EXPECT_EQ(store.rhs[rowOf(store, "EQ1")], -2.5);
    // Ranges are kept as given, the sign on E rows included.
    EXPECT_EQ(store.range[rowOf(store, "EQ1")], 3.0);
    EXPECT_EQ(store.range[rowOf(store, "EQ2")], -3.0);
    EXPECT_EQ(store.range[rowOf(store, "LIM1")], 2.5);
    EXPECT_EQ(store.range[rowOf(store, "LIM2")], 0.0);
}

TEST(MpsReaderTest, ReadsEveryBoundKind) {
    MatrixStore store;
    readText(
        "ROWS\n N  COST\nCOLUMNS\n"
        "    UPNEG  COST  1\n    UPPOS  COST  1\n    LOUPNEG  COST  1\n    LO  COST  1\n"
        "    FX  COST  1\n    FR  COST  1\n    MI  COST  1\n    PL  COST  1\n    BV  COST  1\n"
        "    LI  COST  1\n    UI  COST  1\n    SC  COST  1\n    SCFREE  COST  1\n"
        "    NOSET  COST  1\n    OTHER  COST  1\n"
        "BOUNDS\n"
        " UP BND  UPNEG  -4\n UP BND  UPPOS  4\n LO BND  LOUPNEG  -9\n UP BND  LOUPNEG  -4\n"
        " LO BND  LO  2.5\n FX BND  FX  3\n FR BND  FR\n MI BND  MI\n UP BND  PL  5\n"
        " PL BND  PL\n BV BND  BV\n LI BND  LI  -2\n UI BND  UI  7\n SC BND  SC  8\n"
        " SC BND  SCFREE\n UP BND2  OTHER  1\nENDATA\n",
        store);
    struct Expected {
        const char* column;
        double lower;
        double upper;
        std::uint8_t flags;
    };
    const Expected expected[] = {
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
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.column);
        const std::size_t c = columnOf(store, e.column);
        EXPECT_EQ(store.lower[c], e.lower);
        EXPECT_EQ(store.upper[c], e.upper);
        EXPECT_EQ(store.columnFlags[c], e.flags);
    }
}

TEST(MpsReaderTest, ReadsRhsAndBoundsWithoutSetName) {
    MatrixStore store;
    readText(
        "ROWS\n N  COST\n L  LIM1\n L  LIM2\nCOLUMNS\n    X1  LIM1  1\n    X2  COST  1\n"
        "    X3  COST  1\nRHS\n    LIM1  4  LIM2  5\n    COST  -1\n"
        "BOUNDS\n UP X1  4\n FR X2\n SC X3  6\nENDATA\n",
        store);
    EXPECT_EQ(store.rhs[1], 4.0);
    EXPECT_EQ(store.rhs[2], 5.0);
    EXPECT_EQ(store.rhs[0], -1.0);
    EXPECT_EQ(store.upper[0], 4.0);
    EXPECT_EQ(store.lower[1], -kInfinity);
    EXPECT_EQ(store.upper[2], 6.0);
    EXPECT_EQ(store.columnFlags[2], kColumnSemiContinuous);
}

TEST(MpsReaderTest, RejectsBadBounds) {
    const std::string head = "ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\nBOUNDS\n";
    EXPECT_REJECTED_AT(head + " XX BND  X1  4\nENDATA\n", 6, "unknown bound type 'XX'");
    EXPECT_REJECTED_AT(head + " UP BND  X1  four\nENDATA\n", 6, "value is not a number");
    EXPECT_REJECTED_AT(head + " LO BND\nENDATA\n", 6,
                       "expected bound type, [set], column and value");
    EXPECT_REJECTED_AT(head + " FR BND  X1  0  9\nENDATA\n", 6, "expected bound type");
}

TEST(MpsReaderTest, ReadsQuadraticSections) {
    MatrixStore store;
    readText(
        "ROWS\n N  COST\n L  QC1\nCOLUMNS\n    X  COST  1\n    Y  QC1  1\n"
        "QUADOBJ\n    X  X  4\n    X  Y  3\n"
        "QMATRIX\n    Y  Y  6\n"
        "QCMATRIX   QC1\n    X  Y  2.5\nENDATA\n",
        store);
    const NonlinearTermStore& q = store.nonlinear;
    ASSERT_EQ(q.terms.size(), 4u);
    EXPECT_EQ(q.terms[0].row, 0u);
    EXPECT_EQ(q.terms[0].coefficient, 2.0);  // diagonal: half of 4
    EXPECT_EQ(q.terms[1].coefficient, 3.0);  // off the diagonal: as given
    EXPECT_EQ(q.terms[1].first, 0u);
    EXPECT_EQ(q.terms[1].second, 1u);
    EXPECT_EQ(q.terms[2].coefficient, 3.0);  // QMATRIX: half of each entry
    EXPECT_EQ(q.terms[3].row, 1u);
    EXPECT_EQ(q.terms[3].coefficient, 2.5);
    EXPECT_EQ(q.countOfRow(0), 3u);  // the row index is built
    EXPECT_EQ(q.countOfRow(1), 1u);
}

TEST(MpsReaderTest, RejectsBadQuadraticSections) {
    const std::string columns = "COLUMNS\n    X  L1  1\n";
    EXPECT_REJECTED_AT("ROWS\n L  L1\n" + columns + "QUADOBJ\n    X  X  1\nENDATA\n", 5,
                       "QUADOBJ section without an objective row");
    EXPECT_REJECTED_AT("ROWS\n L  L1\n" + columns + "QMATRIX\n    X  X  1\nENDATA\n", 5,
                       "QMATRIX section without an objective row");
    EXPECT_REJECTED_AT("ROWS\n N  C\n L  L1\n" + columns + "QCMATRIX  L9\n    X  X  1\nENDATA\n", 6,
                       "unknown row 'L9' in QCMATRIX header");
    EXPECT_REJECTED_AT("ROWS\n N  C\n L  L1\n" + columns + "QCMATRIX\nENDATA\n", 6,
                       "QCMATRIX section without a row name");
    EXPECT_REJECTED_AT("ROWS\n N  C\n L  L1\n" + columns + "QUADOBJ\n    X  X\nENDATA\n", 7,
                       "expected column, column and value");
}

}  // namespace
}  // namespace orbxmps
