#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

const std::string kBlocks = std::string(NORVA_TEST_DATA_DIR) + "/analysis/blocks.mps";

using AnalysisToolTest = CliToolTest;

TEST_F(AnalysisToolTest, HistogramAsJson) {
    const InspectRun result = run({"--histogram", "--json", kBlocks});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "{\n  \"coefficients\": [\n"
              "    {\"decade\": -4, \"count\": 1},\n    {\"decade\": -2, \"count\": 1},\n"
              "    {\"decade\": 0, \"count\": 5},\n    {\"decade\": 1, \"count\": 2},\n"
              "    {\"decade\": 2, \"count\": 1},\n    {\"decade\": 3, \"count\": 1}\n  ],\n"
              "  \"rhs\": [\n    {\"decade\": -1, \"count\": 1},\n"
              "    {\"decade\": 2, \"count\": 1},\n    {\"decade\": 7, \"count\": 1}\n  ],\n"
              "  \"bounds\": [\n    {\"decade\": 0, \"count\": 2},\n"
              "    {\"decade\": 1, \"count\": 1}\n  ]\n}\n");
}

// Text columns: the top two of each list, with the levels the thresholds give.
TEST_F(AnalysisToolTest, ScalingAsTextWithThresholds) {
    const InspectRun result =
        run({"--scaling", "--top", "2", "--attention", "1000", "--bad", "1e4", kBlocks});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = splitLines(result.out);
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0].rfind("matrix: 11 coefficients, min 1e-04, max 1000, ratio 1e+07, "
                             "after geometric scaling ",
                             0),
              0u)
        << lines[0];
    EXPECT_EQ(lines[2], "rows (2 of 6, largest ratio first)");
    EXPECT_EQ(lines[4], "  BAL            2          1e-04              1         10000  bad");
    EXPECT_EQ(lines[5],
              "  CAP_1          2              1           1000          1000  attention");
    EXPECT_EQ(lines[7], "columns (2 of 4, largest ratio first)");
}

TEST_F(AnalysisToolTest, ScalingAsJsonKeepsTheTopEntries) {
    const InspectRun result = run({"--json", "--top", "1", "--scaling", kBlocks});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("\"rows\": [\n    {\"name\": \"BAL\", \"count\": 2,"),
              std::string::npos);
    EXPECT_EQ(result.out.find("CAP_1"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"stems\": [\n    {\"name\": \"BAL\""), std::string::npos);
}

TEST_F(AnalysisToolTest, BadUsageAndUnreadableFiles) {
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"--scaling", "--top", "0", kBlocks}, 2, "--top needs a whole number from 1 on: 0"},
        {{"--scaling", "--top", "x", kBlocks}, 2, "--top needs a whole number from 1 on: x"},
        {{"--scaling", "--top"}, 2, "--top needs a value"},
        {{"--scaling", "--bad", "-1", kBlocks}, 2, "--bad needs a number above 0: -1"},
        {{"--histogram", "--top", "3", kBlocks},
         2,
         "--top, --attention and --bad go with --scaling"},
        {{"--scaling", "--histogram", kBlocks}, 2, "only one of --scaling and --histogram"},
        {{"--scaling", "--scaling", kBlocks}, 2, "--scaling is given twice"},
        {{"--scaling", "--json", "--attention", "5", kBlocks}, 2, "not --json"},
        {{"--scaling", "--dump", kBlocks}, 2, "unknown option --dump"},
        {{"--histogram"}, 2, "no matrix file given"},
        {{"--histogram", kBlocks, kBlocks}, 2, "more than one matrix file"},
        {{"--histogram", "/nonexistent/model.mps"}, 1, "model.mps"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const InspectRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
