// The comparison behind the netlib tests must itself catch faults: these cases feed it a
// hand-built store and CoinUtils' reading of the same small model, then break one thing.

#include <cmath>
#include <functional>
#include <limits>

#include "MpsReader.h"
#include "NetlibSupport.h"
#include "StoreBuilder.h"
#include "TempFolder.h"
#include "TextHolds.h"
#include "orbxmps.h"

namespace netlib {
namespace {

using namespace orbxmps;
constexpr double kInf = std::numeric_limits<double>::infinity();

// corners.mps holds what the two readers treat differently: a second free row, an explicit
// zero, an objective constant, ranges on E rows of both signs, a negative upper bound and a
// bound beyond our infinity. Netlib has none of these corners, so our reader meets them here.
class ComparableModelTest : public testing::Test {
protected:
    const std::string m_path = NORVA_TEST_DATA_DIR "/mps/corners.mps";
    const ComparableModel m_coin = readWithCoinUtils(m_path);

    std::string differencesFrom(const std::function<void(MatrixStore&)>& change,
                                std::size_t limit = 10) const {
        MatrixStore store;
        readMpsFile(m_path, MpsFormat::kAuto, store);
        change(store);
        std::string text;
        for (const std::string& line : differences(m_coin, fromStore(store), limit))
            text += line + "\n";
        return text;
    }
};

TEST_F(ComparableModelTest, AgreesWithCoinUtilsDespiteDroppedFreeRowAndZero) {
    EXPECT_EQ(differencesFrom([](MatrixStore&) {}), "");
    EXPECT_EQ(m_coin.figures.size(), 1 + 5 * 2 + 3 * 3 + 5u);
}

TEST_F(ComparableModelTest, ReportsEachBrokenValueByName) {
    const struct {
        std::function<void(MatrixStore&)> apply;
        const char* expected;
    } cases[] = {
        {[](auto& s) { s.elementValue[6] = -1.0000001; },
         "column X2 row EQ2: expected -1, got -1.0000001000000001\n"},
        {[](auto& s) { s.range[4] = 1.5; },
         "row EQ1 lower: expected 0.5, got 2\nrow EQ1 upper: expected 2, got 3.5\n"},
        {[](auto& s) { s.upper[2] = 1e19, s.elementValue[0] = 1.5; },
         "column X1 objective: expected 1, got 1.5\ncolumn X3 upper: expected inf, got 1e+19\n"},
        {[](auto& s) { s.elementRow[8] = 3; },
         "column X3 row LIM1 missing\ncolumn X3 row LIM2 unexpected\n"},
        {[](auto& s) { s.rowType[2] = kRowLessEqual; },  // FREE2 now constrains X1
         "column X1 row FREE2 unexpected\nrow FREE2 lower unexpected\nrow FREE2 upper "
         "unexpected\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(differencesFrom(c.apply), c.expected);
    }
    const std::string capped = differencesFrom(
        [](auto& s) {
            for (double& value : s.elementValue) value += 100.0;
        },
        3);
    EXPECT_EQ(capped.substr(capped.rfind("...")), "... and 5 more\n");
}

TEST_F(ComparableModelTest, RejectsNamesThatOnlyDifferInBlanks) {
    MatrixStore store;
    orbxmps::testsupport::StoreBuilder(store).row("R 1", kRowEqual).row("R1", kRowEqual).finish();
    const ComparableModel model = fromStore(store);
    EXPECT_EQ(model.keyClashes, std::vector<std::string>{"repeated key row R1 lower"});
    EXPECT_FALSE(differences(model, model, 10).empty());
}

TEST(SameValue, AllowsCoinUtilsRoundingButNoMore) {
    EXPECT_TRUE(sameValue(0.47, std::nextafter(0.47, 1.0)));
    EXPECT_TRUE(sameValue(kInf, kInf));
    EXPECT_FALSE(sameValue(1.0, 1.0 + 3 * std::numeric_limits<double>::epsilon()));
    EXPECT_FALSE(sameValue(1e-300, 2e-300));
    EXPECT_FALSE(sameValue(kInf, 1e300));
    EXPECT_FALSE(sameValue(-kInf, kInf));
    EXPECT_THROW(readWithCoinUtils("/nonexistent/none.mps"), std::runtime_error);
}

TEST(NetlibCases, ListEachModelTwiceInNameOrderOrSayWhyThereIsNone) {
    ::testsupport::TempFolder folder;
    for (const char* name : {"b-2.mps.gz", "a.mps.gz", "notes.txt", "c.mps"})
        folder.write(name, "x");
    std::vector<std::string> names;
    for (const NetlibCase& c : netlibCases(folder.path())) names.push_back(caseName(c));
    EXPECT_EQ(names, (std::vector<std::string>{"a_gz", "a_plain", "b_2_gz", "b_2_plain"}));

    const std::vector<NetlibCase> none = netlibCases("/nonexistent/netlib");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_TRUE(holds(none[0].absentReason, "/nonexistent/netlib"));
    EXPECT_EQ(caseName(none[0]), "no_models");
}

}  // namespace
}  // namespace netlib
