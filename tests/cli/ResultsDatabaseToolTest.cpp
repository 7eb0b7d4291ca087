#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(NORVA_TEST_DATA_DIR) + "/../../examples";

class ResultsDatabaseToolTest : public CliToolTest {
protected:
    ResultsDatabaseToolTest() {
        for (const char* name : {"MPSBCD001.mps", "Results.mdb"})
            fs::copy_file(kExamples + "/" + name, m_files / name);
    }

    std::string matrix() const { return m_files / "MPSBCD001.mps"; }
};

// X05 of the example at the optimum (solution 2, case 1): at its limit of 80 with a Pi of
// -0.344771; the entry's activity is X01's.
TEST_F(ResultsDatabaseToolTest, RowShowsTheSolutionBesideTheExample) {
    const InspectRun result = run({"--row", "X05", matrix()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Row: X05\n"
              "\n"
              "Row Type:     LE\n"
              "RHS Value:    80.00000\n"
              "Range Value:  \n"
              "Row Status:   At Upper Limit\n"
              "Row Activity: 80.00000\n"
              "Row Pi Value: -0.34477\n"
              "\n"
              "Column Names  Coefficients    Activity        Calculated Values\n"
              "------------  --------------  --------------  -----------------\n"
              "X01                1.00000          80.00000           80.00000\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(ResultsDatabaseToolTest, DumpReadsTheNamedAccessDatabase) {
    fs::rename(m_files / "Results.mdb", m_files / "Runs.mdb");
    const InspectRun missing = run({"--dump", matrix()});
    ASSERT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_NE(missing.out.find("primal_rows 0\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_files / "Results.mdb"));

    const InspectRun named = run({"--dump", matrix(), "--access-database", "Runs.mdb"});
    ASSERT_EQ(named.exitCode, 0) << named.err;
    EXPECT_NE(named.out.find("primal_rows 28\nCOST -464.753143 0 2\n"), std::string::npos)
        << named.out;
    EXPECT_NE(named.out.find("primal_columns 32\n"), std::string::npos);
}

TEST_F(ResultsDatabaseToolTest, ServerTypeUsesTheConnectionInsteadOfTheFileBeside) {
    const InspectRun result =
        run({"--dump", matrix(), "--database-type", "sqlserver", "--connection",
             "Provider=PostgreSQL;Data Source=127.0.0.1;Port=1;Initial Catalog=none"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("primal_rows 0\n"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

// The example's KNLP file holds the optimum's column activities, the same as the database's.
TEST_F(ResultsDatabaseToolTest, KnlpSolutionOfTheExampleAgreesWithTheDatabase) {
    const InspectRun result =
        run({"--dump", matrix(), "--solution", kExamples + "/KNLP_Solution.001"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::ifstream knlp(kExamples + "/KNLP_Solution.001");
    std::string line;
    for (int header = 0; header < 3; ++header) std::getline(knlp, line);
    int entries = 0;
    for (std::string name, value; knlp >> name >> value; ++entries) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "\n%s %.9g ", name.c_str(),
                      static_cast<double>(std::stof(value)));
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(entries, 32);
}

TEST_F(ResultsDatabaseToolTest, RejectsBadDatabaseOptions) {
    const struct {
        std::vector<std::string> arguments;
        const char* phrase;
    } cases[] = {
        {{"--dump", "a.mps", "--database-type", "Oracle"},
         "--database-type needs Access or SqlServer: Oracle"},
        {{"--dump", "a.mps", "--database-type"}, "--database-type needs a value"},
        {{"--dump", "a.mps", "--access-database", ""}, "--access-database needs a value"},
        {{"--dump", "a.mps", "--connection", "a", "--connection", "b"},
         "--connection is given twice"},
        {{"--stats", "a.mps", "--access-database", "R.mdb"},
         "--database-type, --access-database and --connection go with --dump, --row or --col"},
        {{"--table", "PrCase", "--kind", "8", "--columns", "*", "--connection", "x"},
         "go with --dump, --row or --col"},
    };
    for (const auto& c : cases) expectUsageError(c.arguments, c.phrase);
}

}  // namespace
