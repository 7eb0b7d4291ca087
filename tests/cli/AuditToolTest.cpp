#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(NORVA_TEST_DATA_DIR) + "/../../examples";

// The bundled example and its changed second run, with their results database.
class AuditToolTest : public CliToolTest {
protected:
    AuditToolTest() {
        for (const char* name :
             {"MPSBCD001.mps", "MPSBCD002.mps", "Results.mdb", "afiro.mps", "KNLP_Solution.001"})
            fs::copy_file(kExamples + "/" + name, m_files / name);
    }

    std::string file(const std::string& name) const { return m_files / name; }
};

TEST_F(AuditToolTest, CheckOfTheExampleFindsNothing) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--check", file("MPSBCD002.mps")},
          {"--check", file("afiro.mps"), "--solution", file("KNLP_Solution.001")}}) {
        const InspectRun result = run(arguments);
        SCOPED_TRACE(arguments[1]);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("28 row and 32 column records"), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("No violation beyond the tolerances."), std::string::npos);
    }
}

// A KNLP solution moving X01 below its lower bound 0.
TEST_F(AuditToolTest, CheckReportsAViolationInJsonAndExitsOne) {
    std::ofstream(file("KNLP_Solution.bad")) << "h\nh\nh\nX01 -5\n";
    const InspectRun result =
        run({"--check", "--json", file("afiro.mps"), "--solution", file("KNLP_Solution.bad")});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("{\"kind\":\"column-bound\",\"count\":1,\"largest\":[{\"name\":"
                              "\"X01\",\"value\":-5,\"reference\":0,\"size\":5}]}"),
              std::string::npos)
        << result.out;
}

TEST_F(AuditToolTest, CompareOfTheTwoRunsListsTheChangeAndExitsOne) {
    const InspectRun result = run({"--compare", file("MPSBCD001.mps"), file("MPSBCD002.mps")});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("rhs: 1\n  X27: 500 -> 450 (by 50)\n"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("Differences: 17\n"), std::string::npos);

    const InspectRun json =
        run({"--compare", "--json", "--limit", "0", file("MPSBCD001.mps"), file("MPSBCD002.mps")});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_NE(json.out.find("\"kind\":\"rhs\",\"count\":1,\"largest\":[]"), std::string::npos)
        << json.out;

    const InspectRun same = run({"--compare", file("MPSBCD001.mps"), file("afiro.mps")});
    EXPECT_EQ(same.exitCode, 0) << same.out;

    // Searched for, "--compare" is text, not the command.
    const InspectRun find = run({"--find", "--compare", file("afiro.mps")});
    EXPECT_EQ(find.out, "< Search text not found. >\n") << find.err;
}

TEST_F(AuditToolTest, BadInputExitsTwoWithAReason) {
    const std::string a = file("afiro.mps");
    const struct {
        std::vector<std::string> arguments;
        const char* reason;
    } cases[] = {
        {{"--check", file("missing.mps")}, "could not open matrix file"},
        {{"--check", a}, "afiro.mps has no solution to check"},
        {{"--check", a, "--solution", file("missing.001")}, "could not open solution file"},
        {{"--compare", a, file("missing.mps")}, "could not open matrix file"},
        {{"--check", "--abs-tol", "-1", a}, "--abs-tol needs a number of 0 or more: -1"},
        {{"--compare", "--rel-tol", "x", a, a}, "--rel-tol needs a number"},
        {{"--check", "--limit", "1.5", a}, "--limit needs a whole number"},
        {{"--check", "--frobnicate", a}, "unknown option with --check or --compare"},
        {{"--check", a, a}, "--check needs one matrix file"},
        {{"--compare", a}, "--compare needs two matrix files"},
        {{"--compare", a, a, a}, "more than two matrix files"},
        {{"--check", "--compare", a}, "give only one of --check and --compare"},
        {{"--check", a, "--solution-b", a}, "--solution-b goes with --compare"},
        {{"--compare", a, a, "--solution-a", a, "--solution", a}, "is given twice"},
    };
    for (const auto& [arguments, reason] : cases) {
        SCOPED_TRACE(reason);
        const InspectRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
