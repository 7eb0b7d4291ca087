#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

const std::string kAfiro = std::string(NORVA_TEST_DATA_DIR) + "/netlib/afiro.mps.gz";

// A coefficient exactly at each default threshold, one just inside, and an N row.
const char* const kDefaultsModel =
    "NAME DEFAULTS\nROWS\n N  OBJ\n L  LARGE\n G  SMALL\nCOLUMNS\n"
    "    A         LARGE     1e7            SMALL     1e-7\n"
    "    B         LARGE     9999999        SMALL     1.1e-7\n"
    "    C         OBJ       1\n"
    "RHS\n    RHS       LARGE     12345678.5\nENDATA\n";

using FilterFindToolTest = CliToolTest;

// afiro's ratios of largest to smallest magnitude: COST 10 / 0.32 = 31.25, X47 1 / 0.107,
// X46 1 / 0.109; every other row stays below 3.4. Each shows its two extreme columns.
TEST_F(FilterFindToolTest, RatioFilterOnAfiro) {
    const InspectRun result = run({"--filter", "ratio", "--threshold", "9", kAfiro});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Row Name\tX03\tX14\tX15\tX22\tX31\tX39\tRHS\n"
              "COST\t\t-0.32000\t\t\t\t10.00000\t0.00000\n"
              "X46\t-1.00000\t\t\t0.10900\t\t\t0.00000\n"
              "X47\t\t\t-1.00000\t\t0.10700\t\t0.00000\n");
    EXPECT_EQ(result.err, "");
}

// Coefficients of at least 2.4: X45's X12 (2.408) and X13 (2.429), COST's X39 (10); both rows
// come whole. X40's RHS 500 is not in the grid, R23's 44 neither.
TEST_F(FilterFindToolTest, LargeFilterWithAllColumnsOnAfiro) {
    const InspectRun result =
        run({"--filter", "large", "--threshold", "2.4", "--all-columns", kAfiro});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(
        result.out,
        "Row Name\tX02\tX10\tX11\tX12\tX13\tX14\tX23\tX25\tX32\tX33\tX34\tX35\tX36\tX39\tRHS\n"
        "COST\t-0.40000\t\t\t\t\t-0.32000\t-0.60000\t\t\t\t\t\t-0.48000\t10.00000\t"
        "0.00000\n"
        "X45\t\t2.36400\t2.38600\t2.40800\t2.42900\t\t\t-1.00000\t2.19100\t2.21900\t"
        "2.24900\t2.27900\t\t\t0.00000\n");
}

TEST_F(FilterFindToolTest, DefaultThresholdsIncludeTheirOwnValue) {
    const std::string model = m_files.write("defaults.mps", kDefaultsModel);
    InspectRun result = run({"--filter", "large", model});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Row Name\tA\tRHS\nLARGE\t1.00000e+07\t1.23457e+07\n");
    result = run({"--filter", "small", model});
    EXPECT_EQ(result.out, "Row Name\tA\tRHS\nSMALL\t0.00000\t0.00000\n");
    result = run({"--filter", "ratio", model});
    EXPECT_EQ(result.out, "Row Name\tRHS\n");
}

// Row names of afiro in order: COST, R09, ..., R23, X05, X17 ... X21, X27, X40 ... X51.
TEST_F(FilterFindToolTest, FindListsMatchesAndGoesRoundTheList) {
    const struct {
        std::vector<std::string> arguments;
        const char* out;
    } cases[] = {
        {{"--find", "X4"},
         "X40\nX41\nX42\nX43\nX44\nX45\nX46\nX47\nX48\nX49\n"
         "Passed end of list\nX40\n"},
        // From the first name upwards the first press already goes round.
        {{"--find", "R1?", "--up"}, "Passed end of list\nR19\n"},
        // The column names X01, X11 and X31; X21 is a row of afiro, not a column.
        {{"--find", "X*1", "--columns"}, "X11\nX31\nPassed end of list\nX01\n"},
        {{"--find", "cost", "--whole-word"}, "< Search text not found. >\n"},
        {{"--find", "cost", "--whole-word", "--ignore-case"}, "Passed end of list\nCOST\n"},
        {{"--find", "x2", "--ignore-case"}, "X20\nX21\nX27\nPassed end of list\nX20\n"},
        {{"--find", ""}, "< Search text not found. >\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        SCOPED_TRACE(arguments[1]);
        arguments.push_back(kAfiro);
        const InspectRun result = run(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
}

TEST_F(FilterFindToolTest, RejectsBadFilterAndFindUsage) {
    const struct {
        std::vector<std::string> arguments;
        std::string phrase;
    } cases[] = {
        {{"--filter", "huge", "a.mps"}, "--filter needs large, small or ratio: huge"},
        {{"--filter", "large", "--threshold", "-1", "a.mps"},
         "--threshold needs a number from 0 to 1e20: -1"},
        {{"--filter", "large", "--threshold", "1e21", "a.mps"}, "from 0 to 1e20: 1e21"},
        {{"--filter", "small", "--threshold", "1x", "a.mps"}, "from 0 to 1e20: 1x"},
        {{"--dump", "a.mps", "--all-columns"}, "--threshold and --all-columns go with --filter"},
        {{"--row", "R09", "a.mps", "--up"}, "--whole-word, --ignore-case and --up go with --find"},
        {{"--find"}, "--find needs a value"},
        {{"--find", "X", "--filter", "large", "a.mps"}, "only one of"},
        {{"--filter", "large", "--decimals", "2", "a.mps"}, "go with --row or --col"},
        {{"--find", "X"}, "no matrix file given"},
    };
    for (const auto& [arguments, phrase] : cases) expectUsageError(arguments, phrase);
}

TEST_F(FilterFindToolTest, RejectsAnUnreadableModel) {
    const InspectRun result = run({"--filter", "large", m_files.path() + "/missing.mps"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("missing.mps"), std::string::npos) << result.err;
}

}  // namespace
