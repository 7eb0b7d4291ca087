#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"

using CliTempFolder = testsupport::TempFolder;

struct InspectRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs norva-inspect with arguments (no shell), capturing both streams through files in scratch.
InspectRun runInspect(const std::vector<std::string>& arguments, const CliTempFolder& scratch);
// The same for another copy of the program.
InspectRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const CliTempFolder& scratch);

std::vector<std::string> splitLines(const std::string& text);
// Whether text holds line as a whole, newline-ended line.
bool hasLine(const std::string& text, const std::string& line);

// A test that runs norva-inspect on files of its own; the tool's streams go through scratch.
class CliToolTest : public testing::Test {
protected:
    InspectRun run(const std::vector<std::string>& arguments) const {
        return runInspect(arguments, m_scratch);
    }
    // A usage mistake: exit 2, one line on stderr holding phrase and pointing at --help.
    void expectUsageError(const std::vector<std::string>& arguments,
                          const std::string& phrase) const;
    // text with $DATA naming the tests' data folder, $EXAMPLES m_files/examples and $FILES
    // m_files.
    std::string expand(std::string text) const;
    // The arguments of a line of a data file: split at blanks, '' an empty one, expanded;
    // $COPY/PATH a copy of tests/data/PATH in m_files, $ACCESS/FILE the Access driver's connect
    // string for m_files/FILE, made from tests/data/cli/FILE by sqlite3 when a .sql file.
    std::vector<std::string> arguments(const std::string& line) const;
    // A copy of the bundled examples in m_files/examples, which runs may write beside.
    void copyExamples() const;

    CliTempFolder m_files;
    CliTempFolder m_scratch;
};
