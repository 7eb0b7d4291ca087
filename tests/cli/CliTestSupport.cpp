#include "CliTestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    run.out = readWholeFile(outPath);
    run.err = readWholeFile(errPath);
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
