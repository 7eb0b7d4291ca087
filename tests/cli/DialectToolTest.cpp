// What norva-inspect shows of the MPS forms beyond the classic sections: counts, the notes
// of the detail view, and the warnings of an open that skipped or kept entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

const std::string kData = std::string(NORVA_TEST_DATA_DIR) + "/";

struct DialectCase {
    std::vector<std::string> arguments;  // the file last, relative to tests/data
    int exitCode;
    std::vector<std::string> outLines;  // each a whole line of standard output
    std::vector<std::string> errParts;  // each somewhere in standard error
};

TEST(DialectToolTest, ShowsWhatTheModelHoldsBeyondTheMatrix) {
    const DialectCase cases[] = {
        {{"--stats", "mps/sets.mps"},
         0,
         {"sos_sets: 3", "sos_members: 6", "semicontinuous_columns: 1", "semiinteger_columns: 1",
          "columns_lower_above_upper: 1", "load_warnings: 3"},
         {"Warning: The file was read with 3 warnings:",
          "/sets.mps:21: unknown column 'XX' in BOUNDS section: bound skipped"}},
        {{"--stats", "mps/objective.mps"},
         0,
         {"objective_sense: max", "objective_constant: 12.5"},
         {"range on free row 'PROFIT' skipped"}},
        {{"--stats", "mps/conic.mps"}, 0, {"cones: 2", "indicators: 2", "nonlinear_terms: 2"}, {}},
        {{"--col", "X4", "mps/sets.mps"},
         0,
         {"SOS: S2 set 'SET3', weight 2.00000", "SOS: S2 set 'SET2', weight 2.00000"},
         {}},
        {{"--col", "X2", "mps/sets.mps"}, 0, {"Type: Semi-integer"}, {}},
        {{"--col", "U", "mps/conic.mps"}, 0, {"Cone: QUAD cone 'K1'", "Cone: RQUAD cone 'K2'"}, {}},
        {{"--col", "V", "mps/conic.mps"}, 0, {"Indicator of row 'LINK': applies when = 0"}, {}},
        {{"--row", "PROFIT", "mps/objective.mps"},
         0,
         {"Objective: maximise", "Objective Constant: 12.50000"},
         {}},
        {{"--row", "Q1", "mps/conic.mps"}, 0, {"Indicator: applies when 'T' = 1"}, {}},
        {{"--stats", "bad/value_beyond_float.mps"},
         1,
         {},
         {"value_beyond_float.mps:8: value does not fit the 32-bit model"}},
    };
    CliTempFolder scratch;
    for (const DialectCase& c : cases) {
        // A copy: a failed open writes its error log beside the file, never into the sources.
        std::vector<std::string> arguments = c.arguments;
        const std::string name = arguments.back().substr(arguments.back().find('/') + 1);
        arguments.back() = scratch.write(name, readWholeFile(kData + arguments.back()));
        SCOPED_TRACE(arguments.front() + " " + arguments.back());
        const InspectRun result = runInspect(arguments, scratch);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        for (const std::string& line : c.outLines)
            EXPECT_TRUE(hasLine(result.out, line)) << line << " missing from\n" << result.out;
        for (const std::string& part : c.errParts)
            EXPECT_NE(result.err.find(part), std::string::npos) << part << " missing from\n"
                                                                 << result.err;
    }
}

TEST(DialectToolTest, RowListsBothEntriesOfARepeatedPair) {
    CliTempFolder scratch;
    const InspectRun result = runInspect(
        {"--row", "R1", scratch.write("repeats.mps", readWholeFile(kData + "mps/repeats.mps"))},
        scratch);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> entries;
    for (const std::string& line : splitLines(result.out))
        if (line.rfind("X1 ", 0) == 0) entries.push_back(line);
    ASSERT_EQ(entries.size(), 2u) << result.out;
    EXPECT_NE(entries[0].find("2.00000"), std::string::npos);
    EXPECT_NE(entries[1].find("3.00000"), std::string::npos);
}

}  // namespace
