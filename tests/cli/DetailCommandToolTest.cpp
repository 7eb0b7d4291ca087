#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CliTestSupport.h"

namespace {

const std::string kAfiro = std::string(NORVA_TEST_DATA_DIR) + "/netlib/afiro.mps.gz";

// A one-sided row (its RHS is 0, so counts as neither), a fixed and a free column.
const char* const kSignModel =
    "NAME SIGNS\nROWS\n N  OBJ\n L  ONESIDED\nCOLUMNS\n"
    "    PLUS      OBJ       1          ONESIDED  2\n"
    "    FREECOL   ONESIDED  0.5\n"
    "    FIXCOL    OBJ       3\n"
    "BOUNDS\n FR BND       FREECOL\n FX BND       FIXCOL    1234567.5\nENDATA\n";

using DetailCommandToolTest = CliToolTest;

// Each view of afiro, compared whole. The solution gives X02 = 25.5, X14 = 20, X39 = 0.75.
TEST_F(DetailCommandToolTest, ListsAfiroRowsAndColumns) {
    const std::string solution =
        m_files.write("KNLP_Solution.001", "h\nh\nh\nX02 25.5\nX14 20\nX39 0.75\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // R09: X01 -1, X02 1, X03 1, no RHS, an equality; without a solution the activity and
        // Pi come from the library (0) and the entries have no activity.
        {{"--row", "R09", kAfiro},
         "Row: R09\n"
         "\n"
         "Row Type:     EQ\n"
         "RHS Value:    \n"
         "Range Value:  \n"
         "Row Status:   \n"
         "Row Activity: 0.00000\n"
         "Row Pi Value: 0.00000\n"
         "\n"
         "Column Names  Coefficients    Activity        Calculated Values\n"
         "------------  --------------  --------------  -----------------\n"
         "X01               -1.00000                                     \n"
         "X02                1.00000                                     \n"
         "X03                1.00000                                     \n"},
        // COST, other columns 0: products -0.4 x 25.5, -0.32 x 20, 10 x 0.75, and -0.6 x 0 and
        // -0.48 x 0, negative zeros shown as zeros; the activity is -10.2 - 6.4 + 7.5 = -9.1.
        {{"--row", "COST", kAfiro, "--solution", solution},
         "Row: COST\n"
         "\n"
         "Row Type:     FR\n"
         "RHS Value:    \n"
         "Range Value:  \n"
         "Row Status:   Basic\n"
         "Row Activity: -9.10000\n"
         "Row Pi Value: 0.00000\n"
         "Objective: minimise\n"
         "\n"
         "Column Names  Coefficients    Activity        Calculated Values\n"
         "------------  --------------  --------------  -----------------\n"
         "X02               -0.40000          25.50000          -10.20000\n"
         "X14               -0.32000          20.00000           -6.40000\n"
         "X23               -0.60000           0.00000            0.00000\n"
         "X36               -0.48000           0.00000            0.00000\n"
         "X39               10.00000           0.75000            7.50000\n"},
        // X39 holds R23 1 and COST 10; with the solution its activity is 0.75 and it is basic.
        // A KNLP solution takes prices from rows named OBJ..., which afiro lacks: price 0.
        {{"--col", "X39", "--solution", solution, kAfiro},
         "Column: X39\n"
         "\n"
         "Lower Bound:     0.00000\n"
         "Upper Bound:     \n"
         "Column Price:    0.00000\n"
         "Column Status:   Basic\n"
         "Column Activity: 0.75000\n"
         "Column Dj:       0.00000\n"
         "\n"
         "Row Names     Coefficients    Pi Values       Calculated Values\n"
         "------------  --------------  --------------  -----------------\n"
         "COST              10.00000           0.00000            0.00000\n"
         "R23                1.00000           0.00000            0.00000\n"},
        // X01: X48 .301, R09 -1, R10 -1.06, X05 1, listed by name; without a solution the Pi
        // values are the library's zeros, and their products with negative coefficients, -0,
        // show as zeros.
        {{"--col", "X01", kAfiro, "--decimals", "2", "--scientific"},
         "Column: X01\n"
         "\n"
         "Lower Bound:     0.00e+00\n"
         "Upper Bound:     \n"
         "Column Price:    \n"
         "Column Status:   \n"
         "Column Activity: 0.00e+00\n"
         "Column Dj:       0.00e+00\n"
         "\n"
         "Row Names     Coefficients    Pi Values       Calculated Values\n"
         "------------  --------------  --------------  -----------------\n"
         "R09              -1.00e+00          0.00e+00           0.00e+00\n"
         "R10              -1.06e+00          0.00e+00           0.00e+00\n"
         "X05               1.00e+00          0.00e+00           0.00e+00\n"
         "X48               3.01e-01          0.00e+00           0.00e+00\n"},
    };
    for (const auto& [arguments, out] : cases) {
        SCOPED_TRACE(arguments[1]);
        const InspectRun result = run(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, out);
        EXPECT_EQ(result.err, "");
    }
}

TEST_F(DetailCommandToolTest, EndsWithTheWarningOfAOneSidedRow) {
    const InspectRun result = run({"--row", "ONESIDED", m_files.write("signs.mps", kSignModel)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string tail =
        "FREECOL            0.50000                                     \n"
        "PLUS               2.00000                                     \n"
        "\n"
        "Warning: Row has no NEGATIVE entries.\n";
    ASSERT_GE(result.out.size(), tail.size()) << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - tail.size()), tail);
}

TEST_F(DetailCommandToolTest, ShowsFixedAndFreeBoundsWithTheGivenDecimals) {
    const std::string model = m_files.write("signs.mps", kSignModel);
    const InspectRun fixed4 = run({"--col", "FIXCOL", model, "--decimals", "4"});
    ASSERT_EQ(fixed4.exitCode, 0) << fixed4.err;
    EXPECT_EQ(splitLines(fixed4.out).at(2), "Fixed Bound:     1234567.5000");
    const InspectRun fixed5 = run({"--col", "FIXCOL", model});
    EXPECT_EQ(splitLines(fixed5.out).at(2), "Fixed Bound:     1.23457e+06");  // 13 characters
    const InspectRun free = run({"--col", "FREECOL", model, "--decimals", "0"});
    ASSERT_EQ(free.exitCode, 0) << free.err;
    EXPECT_EQ(splitLines(free.out).at(2), "Type:            Free Column");
    EXPECT_EQ(splitLines(free.out).at(3), "Column Price:    ");
}

TEST_F(DetailCommandToolTest, RejectsANameTheModelLacks) {
    const InspectRun row = run({"--row", "X01", kAfiro});
    EXPECT_EQ(row.exitCode, 1);
    EXPECT_EQ(row.out, "");
    EXPECT_EQ(row.err, "norva-inspect: " + kAfiro + " has no row named 'X01'\n");
    const InspectRun column = run({"--col", "x01", kAfiro});
    EXPECT_EQ(column.exitCode, 1);
    EXPECT_EQ(column.err, "norva-inspect: " + kAfiro + " has no column named 'x01'\n");
}

TEST_F(DetailCommandToolTest, RejectsBadDetailUsage) {
    const struct {
        std::vector<std::string> arguments;
        const char* phrase;
    } cases[] = {
        {{"--row"}, "--row needs a value"},
        {{"--row", "R09"}, "no matrix file given"},
        {{"--row", "R09", "--col", "X01", "a.mps"}, "only one of"},
        {{"--row", "R09", "a.mps", "--decimals", "13"},
         "--decimals needs a number from 0 to 12: 13"},
        {{"--row", "R09", "a.mps", "--decimals", "-1"},
         "--decimals needs a number from 0 to 12: -1"},
        {{"--row", "R09", "a.mps", "--decimals", "2x"},
         "--decimals needs a number from 0 to 12: 2x"},
        {{"--row", "R09", "a.mps", "--decimals"}, "--decimals needs a value"},
        {{"--row", "R09", "a.mps", "--decimals", "2", "--decimals", "3"},
         "--decimals is given twice"},
        {{"--dump", "a.mps", "--scientific"}, "--decimals and --scientific go with --row or --col"},
        {{"--stats", "a.mps", "--decimals", "3"}, "go with --row or --col"},
    };
    for (const auto& c : cases) expectUsageError(c.arguments, c.phrase);
}

}  // namespace
