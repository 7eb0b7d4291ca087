#include "CliTestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "TestData.h"

extern char** environ;

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

InspectRun runInspect(const std::vector<std::string>& arguments, const CliTempFolder& scratch) {
    return runProgram(NORVA_INSPECT_PATH, arguments, scratch);
}

InspectRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const CliTempFolder& scratch) {
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

void CliToolTest::expectUsageError(const std::vector<std::string>& arguments,
                                   const std::string& phrase) const {
    SCOPED_TRACE(phrase);
    const InspectRun result = run(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find(phrase), std::string::npos) << result.err;
    EXPECT_TRUE(result.err.ends_with(" (see norva-inspect --help)\n")) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.out, "");
}

std::string CliToolTest::expand(std::string text) const {
    const std::pair<std::string, std::string> names[] = {{"$DATA", NORVA_TEST_DATA_DIR},
                                                         {"$EXAMPLES", m_files / "examples"},
                                                         {"$FILES", m_files.path()}};
    for (const auto& [name, folder] : names)
        for (std::size_t at; (at = text.find(name)) != std::string::npos;)
            text.replace(at, name.size(), folder);
    return text;
}

std::vector<std::string> CliToolTest::arguments(const std::string& line) const {
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

void CliToolTest::copyExamples() const {
    std::filesystem::copy(NORVA_TEST_DATA_DIR "/../../examples", m_files / "examples");
}
