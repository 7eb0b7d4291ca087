#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "TestData.h"

extern char** environ;

struct InspectRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

inline bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

// Runs program with arguments (no shell), capturing both streams through files in scratch.
inline InspectRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const testsupport::TempFolder& scratch) {
    const std::string outPath = scratch.path() + "/run.out";
    const std::string errPath = scratch.path() + "/run.err";
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    InspectRun run;
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot run " << argv[0];
        return run;
    }
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = testsupport::fileText(outPath);
    run.err = testsupport::fileText(errPath);
    return run;
}

// A test that runs norva-inspect on files of its own; the tool's streams go through scratch.
class CliToolTest : public testing::Test {
protected:
    InspectRun run(const std::vector<std::string>& arguments) const {
        return runProgram(NORVA_INSPECT_PATH, arguments, m_scratch);
    }
    // A usage mistake: exit 2, one line on stderr holding phrase and pointing at --help.
    void expectUsageError(const std::vector<std::string>& arguments,
                          const std::string& phrase) const {
        SCOPED_TRACE(phrase);
        const InspectRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(phrase), std::string::npos) << result.err;
        EXPECT_TRUE(result.err.ends_with(" (see norva-inspect --help)\n")) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "");
    }
    // text with $DATA naming the tests' data folder, $EXAMPLES m_files/examples and $FILES
    // m_files.
    std::string expand(std::string text) const {
        const std::pair<std::string, std::string> names[] = {{"$DATA", NORVA_TEST_DATA_DIR},
                                                             {"$EXAMPLES", m_files / "examples"},
                                                             {"$FILES", m_files.path()}};
        for (const auto& [name, folder] : names)
            for (std::size_t at; (at = text.find(name)) != std::string::npos;)
                text.replace(at, name.size(), folder);
        return text;
    }
    // The arguments of a line of a data file: split at blanks, '' an empty one, expanded;
    // $COPY/PATH a copy of tests/data/PATH in m_files, $ACCESS/FILE the Access driver's connect
    // string for m_files/FILE, made from tests/data/cli/FILE by sqlite3 when a .sql file.
    std::vector<std::string> arguments(const std::string& line) const {
        std::vector<std::string> words;
        std::istringstream in(line);
        for (std::string word; in >> word;) {
            if (word.starts_with("$COPY/")) {
                const std::string name = word.substr(word.rfind('/') + 1);
                word = m_files.write(name, testsupport::testData(word.substr(6)));
            } else if (word.starts_with("$ACCESS/")) {
                std::string file = m_files / word.substr(8);
                if (file.ends_with(".sql")) {
                    const std::string sql = NORVA_TEST_DATA_DIR "/cli/" + word.substr(8);
                    file.replace(file.size() - 4, 4, ".mdb");
                    const std::string shell = "sqlite3 '" + file + "' < '" + sql + "'";
                    if (!std::filesystem::exists(file) && std::system(shell.c_str()) != 0)
                        ADD_FAILURE() << shell << " failed";
                }
                word = "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + file;
            }
            words.push_back(word == "''" ? "" : expand(word));
        }
        return words;
    }
    // A copy of the bundled examples in m_files/examples, which runs may write beside.
    void copyExamples() const {
        std::filesystem::copy(NORVA_TEST_DATA_DIR "/../../examples", m_files / "examples");
    }

    testsupport::TempFolder m_files;
    testsupport::TempFolder m_scratch;
};
