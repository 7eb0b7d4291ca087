#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "TestData.h"

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

// Runs program with arguments, each quoted for the shell, capturing both streams through files
// in scratch.
inline InspectRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const testsupport::TempFolder& scratch) {
    const auto quoted = [](std::string word) {
        for (std::size_t at = 0; (at = word.find('\'', at)) != std::string::npos; at += 4)
            word.replace(at, 1, "'\\''");
        return "'" + word + "'";
    };
    std::string command = quoted(program);
    for (const std::string& word : arguments) command += " " + quoted(word);
    command += " >" + quoted(scratch / "run.out") + " 2>" + quoted(scratch / "run.err");
    const int status = std::system(command.c_str());
    InspectRun run;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.out = testsupport::fileText(scratch / "run.out");
    run.err = testsupport::fileText(scratch / "run.err");
    return run;
}

// A test that runs norva-inspect on files of its own; the tool's streams go through scratch.
class CliToolTest : public testing::Test {
protected:
    InspectRun run(const std::vector<std::string>& arguments) const {
        return runProgram(NORVA_INSPECT_PATH, arguments, m_scratch);
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
