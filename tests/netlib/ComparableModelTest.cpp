// The comparison behind the netlib tests must itself catch faults: these cases feed it a
// hand-built store and CoinUtils' reading of the same small model, then break one thing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "CoinUtilsModel.h"
#include "ComparableModel.h"
#include "MatrixStore.h"
#include "MpsReader.h"
#include "NetlibCases.h"
#include "StoreModel.h"
#include "orbxmps.h"

namespace netlib {
namespace {

namespace fs = std::filesystem;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Exercises what the two readers treat differently: a second free row, an explicit zero,
// an objective constant, ranges on E rows of both signs, a negative upper bound and a bound
// beyond our infinity.
constexpr const char* kModelText =
    "NAME          SMALL\n"
    "ROWS\n"
    " N  COST\n"
    " L  LIM1\n"
    " N  FREE2\n"
    " G  LIM2\n"
    " E  EQ1\n"
    " E  EQ2\n"
    " L  LIM3\n"
    "COLUMNS\n"
    "    X1        COST               1.0   LIM1               0.0\n"
    "    X1        FREE2              3.0   LIM2               1.0\n"
    "    X2        COST               2.0   EQ1                1.0\n"
    "    X2        EQ2               -1.0   LIM3               1.5\n"
    "    X3        LIM1               2.5\n"
    "RHS\n"
    "    RHS       COST               5.0   LIM1               4.0\n"
    "    RHS       EQ1                2.0   EQ2                1.0\n"
    "    RHS       LIM3               3.0\n"
    "RANGES\n"
    "    RNG       EQ1               -1.5   EQ2                0.5\n"
    "    RNG       LIM2               2.0   LIM3               1.0\n"
    "BOUNDS\n"
    " UP BND       X1                -2.0\n"
    " MI BND       X2\n"
    " UP BND       X3                1e30\n"
    "ENDATA\n";

struct Row {
    const char* name;
    std::int16_t type;
    double rhs;
    double range;
};

struct Element {
    std::uint32_t row;
    double value;
};

struct Column {
    const char* name;
    double lower;
    double upper;
    std::vector<Element> elements;
};

// What our reader is meant to store for kModelText.
void buildStore(orbxmps::MatrixStore& store) {
    using namespace orbxmps;
    const Row rows[] = {{"COST", kRowFree, 5.0, 0.0},     {"LIM1", kRowLessEqual, 4.0, 0.0},
                        {"FREE2", kRowFree, 0.0, 0.0},    {"LIM2", kRowGreaterEqual, 0.0, 2.0},
                        {"EQ1", kRowEqual, 2.0, -1.5},    {"EQ2", kRowEqual, 1.0, 0.5},
                        {"LIM3", kRowLessEqual, 3.0, 1.0}};
    const Column columns[] = {
        {"X1", -kInfinity, -2.0, {{0, 1.0}, {1, 0.0}, {2, 3.0}, {3, 1.0}}},
        {"X2", -kInfinity, kInfinity, {{0, 2.0}, {4, 1.0}, {5, -1.0}, {6, 1.5}}},
        {"X3", 0.0, kInfinity, {{1, 2.5}}}};
    for (const Row& row : rows) {
        store.rowNames.add(row.name);
        store.rowType.push_back(row.type);
        store.rhs.push_back(row.rhs);
        store.range.push_back(row.range);
    }
    store.objectiveRow = 0;
    store.columnStart.push_back(0);
    for (const Column& column : columns) {
        store.columnNames.add(column.name);
        store.lower.push_back(column.lower);
        store.upper.push_back(column.upper);
        store.columnFlags.push_back(0);
        for (const Element& element : column.elements) {
            store.elementRow.push_back(element.row);
            store.elementValue.push_back(element.value);
        }
        store.columnStart.push_back(static_cast<std::uint32_t>(store.elementCount()));
    }
}

class ComparableModelTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = fs::temp_directory_path() /
                   ("norva-compare-" + std::to_string(::getpid()) + "-" + test);
        fs::create_directories(m_folder);
        std::ofstream(m_folder / "small.mps") << kModelText;
        m_coin = readWithCoinUtils((m_folder / "small.mps").string());
        buildStore(m_store);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string differencesFrom(const orbxmps::MatrixStore& store) const {
        std::string text;
        for (const std::string& line : differences(m_coin, fromStore(store), 10)) {
            text += line + "\n";
        }
        return text;
    }
    std::string differencesText() const { return differencesFrom(m_store); }

    fs::path m_folder;
    ComparableModel m_coin;
    orbxmps::MatrixStore m_store;
};

TEST_F(ComparableModelTest, AgreesWithCoinUtilsDespiteDroppedFreeRowAndZero) {
    EXPECT_EQ(differencesText(), "");
    EXPECT_EQ(m_coin.rows.size(), 5u);
    EXPECT_EQ(m_coin.coefficientCount, 5u);
}

// Netlib has none of these corners, so our reader meets them here.
TEST_F(ComparableModelTest, OurReaderAgreesWithCoinUtilsOnTheCorners) {
    orbxmps::MatrixStore store;
    orbxmps::readMpsFile((m_folder / "small.mps").string(), orbxmps::MpsFormat::kAuto, store);
    EXPECT_EQ(differencesFrom(store), "");
}

TEST_F(ComparableModelTest, ReportsEachBrokenValueByName) {
    const struct {
        const char* change;
        std::function<void(orbxmps::MatrixStore&)> apply;
        const char* expected;
    } cases[] = {
        {"X2 in EQ2", [](auto& s) { s.elementValue[6] = -1.0000001; },
         "column X2 row EQ2: expected -1, got -1.0000001000000001\n"},
        {"EQ1 becomes [2, 3.5]", [](auto& s) { s.range[4] = 1.5; },
         "row EQ1 bounds: expected [0.5, 2], got [2, 3.5]\n"},
        {"X3 bound and X1 in COST",
         [](auto& s) {
             s.upper[2] = 1e19;
             s.elementValue[0] = 1.5;
         },
         "column X1 objective: expected 1, got 1.5\n"
         "column X3 bounds: expected [0, inf], got [0, 1e+19]\n"},
        {"X3 moves from LIM1 to LIM2", [](auto& s) { s.elementRow[8] = 3; },
         "column X3 row LIM1 missing\ncolumn X3 row LIM2 unexpected\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        orbxmps::MatrixStore store;
        buildStore(store);
        c.apply(store);
        EXPECT_EQ(differencesFrom(store), c.expected);
    }
}

TEST_F(ComparableModelTest, ReportsACoefficientInAFormerFreeRow) {
    m_store.rowType[2] = orbxmps::kRowLessEqual;  // FREE2 now constrains X1
    const std::string text = differencesText();
    EXPECT_NE(text.find("rows: expected 5, got 6"), std::string::npos) << text;
    EXPECT_NE(text.find("row FREE2 unexpected"), std::string::npos) << text;
}

TEST_F(ComparableModelTest, RejectsNamesThatOnlyDifferInBlanks) {
    orbxmps::MatrixStore store;
    for (const char* name : {"R 1", "R1"}) {
        store.rowNames.add(name);
        store.rowType.push_back(orbxmps::kRowEqual);
        store.rhs.push_back(0.0);
        store.range.push_back(0.0);
    }
    store.columnStart.push_back(0);
    const ComparableModel model = fromStore(store);
    ASSERT_EQ(model.keyClashes.size(), 1u);
    EXPECT_EQ(model.keyClashes[0], "repeated key for 'R1'");
    EXPECT_FALSE(differences(model, model, 10).empty());
}

TEST_F(ComparableModelTest, CapsTheReportAndCountsTheRest) {
    for (double& value : m_store.elementValue) value += 100.0;
    const std::vector<std::string> lines = differences(m_coin, fromStore(m_store), 3);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.back(), "... and 6 more");
}

TEST(RowBounds, FollowTypeRhsAndRange) {
    using namespace orbxmps;
    struct Case {
        std::int16_t type;
        double rhs;
        double range;
        Interval expected;
    };
    const Case cases[] = {
        {kRowEqual, 2.0, 0.0, {2.0, 2.0}},
        {kRowEqual, 2.0, 1.5, {2.0, 3.5}},
        {kRowEqual, 2.0, -1.5, {0.5, 2.0}},
        {kRowLessEqual, 4.0, 0.0, {-kInf, 4.0}},
        {kRowLessEqual, 4.0, -1.0, {3.0, 4.0}},
        {kRowGreaterEqual, 4.0, 0.0, {4.0, kInf}},
        {kRowGreaterEqual, 4.0, -1.0, {4.0, 5.0}},
        {kRowFree, 7.0, 1.0, {-kInf, kInf}},
        {kRowLessEqual, kInfinity, 0.0, {-kInf, kInf}},
    };
    for (const Case& c : cases) {
        const Interval got = rowBounds(c.type, c.rhs, c.range);
        EXPECT_EQ(got.lower, c.expected.lower)
            << "type " << c.type << " rhs " << c.rhs << " range " << c.range;
        EXPECT_EQ(got.upper, c.expected.upper)
            << "type " << c.type << " rhs " << c.rhs << " range " << c.range;
    }
}

TEST(SameValue, AllowsCoinUtilsRoundingButNoMore) {
    EXPECT_TRUE(sameValue(0.47, std::nextafter(0.47, 1.0)));
    EXPECT_TRUE(sameValue(kInf, kInf));
    EXPECT_FALSE(sameValue(1.0, 1.0 + 3 * std::numeric_limits<double>::epsilon()));
    EXPECT_FALSE(sameValue(1e-300, 2e-300));
    EXPECT_FALSE(sameValue(kInf, 1e300));
    EXPECT_FALSE(sameValue(-kInf, kInf));
}

TEST(CoinUtilsReference, RejectsAMissingFile) {
    EXPECT_THROW(readWithCoinUtils("/nonexistent/none.mps"), std::runtime_error);
}

TEST(NetlibCases, ListEachModelTwiceInNameOrder) {
    const fs::path folder =
        fs::temp_directory_path() / ("norva-cases-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"b-2.mps.gz", "a.mps.gz", "notes.txt", "c.mps"}) {
        std::ofstream(folder / name) << "x";
    }
    const std::vector<NetlibCase> cases = netlibCases(folder.string());
    fs::remove_all(folder);

    std::vector<std::string> names;
    for (const NetlibCase& c : cases) names.push_back(caseName(c));
    EXPECT_EQ(names, (std::vector<std::string>{"a_gz", "a_plain", "b_2_gz", "b_2_plain"}));
}

TEST(NetlibCases, SayWhyAnAbsentFolderHasNone) {
    const std::vector<NetlibCase> cases = netlibCases("/nonexistent/netlib");
    ASSERT_EQ(cases.size(), 1u);
    EXPECT_TRUE(cases[0].path.empty());
    EXPECT_NE(cases[0].absentReason.find("/nonexistent/netlib"), std::string::npos);
    EXPECT_EQ(caseName(cases[0]), "no_models");
}

}  // namespace
}  // namespace netlib
