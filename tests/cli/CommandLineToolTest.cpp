#include <algorithm>
#include <regex>
#include <tuple>

#include "CliTestSupport.h"
#include "PlantedFile.h"

namespace {

using testsupport::testData;

const std::string kData = NORVA_TEST_DATA_DIR;

using CommandLineToolTest = CliToolTest;

struct Command {
    int exitCode;
    std::string arguments;
    std::vector<std::string> lines;
};

// The commands of a data file: a line "$ ARGUMENTS" or "$1 ARGUMENTS" (exit 1), then the lines
// up to the next command or comment.
std::vector<Command> commands(const std::string& name) {
    std::vector<Command> found;
    for (const std::string& line : splitLines(testData(name))) {
        if (line.starts_with("$ ") || line.starts_with("$1 "))
            found.push_back({line[1] == '1', line.substr(line.find(' ') + 1), {}});
        else if (!line.starts_with("# ") && !found.empty())
            found.back().lines.push_back(line);
    }
    return found;
}

// Each command of tests/data/cli/outputs.txt prints the output that follows it there, and
// nothing on standard error; each of output-lines.txt the lines that follow it there.
TEST_F(CommandLineToolTest, PrintsTheExpectedOutputsAndLines) {
    copyExamples();
    for (const bool whole : {true, false}) {
        const std::vector<Command> found =
            commands(whole ? "cli/outputs.txt" : "cli/output-lines.txt");
        EXPECT_GE(found.size(), 10u);
        for (const Command& command : found) {
            SCOPED_TRACE(command.arguments);
            const InspectRun result = run(arguments(command.arguments));
            EXPECT_EQ(result.exitCode, command.exitCode) << result.err;
            std::string expected;
            for (const std::string& line : command.lines) {
                expected += line + "\n";
                if (whole) continue;
                if (line == "2>")
                    EXPECT_EQ(result.err, "");
                else if (line.starts_with("2> ") || line.starts_with("~ "))
                    EXPECT_NE((line[0] == '2' ? result.err : result.out)
                                  .find(expand(line.substr(line.find(' ') + 1))),
                              std::string::npos)
                        << line << " missing from\n"
                        << result.out << result.err;
                else
                    EXPECT_TRUE(hasLine(result.out, line)) << line << " missing from\n"
                                                           << result.out;
            }
            if (whole) {
                EXPECT_EQ(result.out, expected);
                EXPECT_EQ(result.err, "");
            }
        }
    }
    for (const char* made : {"absent.mdb", "Results.mdb"})
        EXPECT_FALSE(std::filesystem::exists(m_files / made)) << made;
    const InspectRun stats = run({"--stats", kData + "/cli/tiny.mps"});
    EXPECT_TRUE(std::regex_search(stats.out, std::regex("(^|\n)load_seconds: [0-9]+\\.[0-9]{3}\n")))
        << stats.out;
}

TEST_F(CommandLineToolTest, RefusesBadUsageAndUnreadableFiles) {
    copyExamples();
    m_files.write("absent_err.log", "STALE LOG OF AN EARLIER RUN\n");
    int cases = 0;
    for (const std::string& line : splitLines(testData("cli/usage-errors.txt"))) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(line);
        const std::size_t bar = line.find('|'), phraseEnd = line.find(" |", bar + 1);
        const InspectRun result = run(arguments(line.substr(phraseEnd + 2)));
        EXPECT_EQ(result.exitCode, std::stoi(line));
        EXPECT_NE(result.err.find(expand(line.substr(bar + 2, phraseEnd - bar - 2))),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(result.err.find("STALE LOG"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        if (line.starts_with("2 ")) {  // a usage mistake: one line, pointing at --help
            EXPECT_TRUE(result.err.ends_with(" (see norva-inspect --help)\n")) << result.err;
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
        ++cases;
    }
    EXPECT_GE(cases, 60);
}

// Each model dumps the same from MPS and from the ORB file written of it: the tiny model (over
// an older file), one with names out of byte order and repeated, and the bundled netlib models;
// so does a file written before ORB files held their name order, warning of the repeated names.
TEST_F(CommandLineToolTest, OrbRoundTripsDumpTheSame) {
    const std::string unordered = kData + "/mps/unordered.mps";
    std::vector<std::string> models = {kData + "/cli/tiny.mps", unordered};
    for (const auto& entry : std::filesystem::directory_iterator(kData + "/netlib"))
        models.push_back(entry.path().string());
    m_files.write("tiny.orb", "AN OLDER FILE, REPLACED\n");
    for (const std::string& model : models) {
        SCOPED_TRACE(model);
        const std::string orb =
            m_files.path() + "/" + std::filesystem::path(model).stem().string() + ".orb";
        const InspectRun written = run({"--write-orb", orb, model});
        ASSERT_EQ(written.exitCode, 0) << written.err;
        const InspectRun fromMps = run({"--dump", model});
        const InspectRun fromOrb = run({"--dump", orb});
        ASSERT_EQ(fromMps.exitCode, 0) << fromMps.err;
        ASSERT_EQ(fromOrb.exitCode, 0) << fromOrb.err;
        EXPECT_GT(fromMps.out.size(), 100u);
        EXPECT_TRUE(fromOrb.out == fromMps.out) << "differs after the ORB round trip";
    }
    const std::string old = kData + "/orb/unordered-v1.orb";
    const InspectRun fromOld = run({"--dump", old});
    EXPECT_EQ(fromOld.out, run({"--dump", unordered}).out);
    EXPECT_TRUE(hasLine(fromOld.err, old + ": duplicate row 'PRO_CR000003'")) << fromOld.err;
    EXPECT_TRUE(hasLine(fromOld.err, old + ": duplicate column 'PRO_XP000200'"));
}

TEST_F(CommandLineToolTest, OrbOutputRefusesAnythingButARegularFile) {
    for (const testsupport::Planted kind : testsupport::kAllPlanted) {
        SCOPED_TRACE(testsupport::plantedName(kind));
        const std::string out = m_files.path() + "/planted.orb";
        const testsupport::PlantedFile planted(kind, out);
        const InspectRun result = run({"--write-orb", out, kData + "/cli/tiny.mps"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("could not write " + out), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
        planted.expectUntouched();
        std::filesystem::remove(out);
    }
}

TEST_F(CommandLineToolTest, CaseTakesTheStoredProcessNameUnlessOneIsGiven) {
    // No session bus: a named process fails at the bus, an unnamed one before it.
    std::filesystem::create_directories(m_files / "Orvane");
    const std::string required = "A LOOM Process Name is required.";
    const std::string install = "\nPlease make sure that you have installed LoomX.";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "", required}, {"P1", "", install}, {"", "P2", install}};
    for (const auto& [stored, given, expected] : cases) {
        SCOPED_TRACE(stored + "/" + given);
        m_files.write("Orvane/Norva.ini", "[Options]\nLoomProcessName=" + stored);
        std::vector<std::string> arguments{"XDG_CONFIG_HOME=" + m_files.path(),
                                           "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus",
                                           NORVA_INSPECT_PATH, "--dump",
                                           m_files.write("model.cas", "")};
        if (!given.empty()) arguments.insert(arguments.end(), {"--loom-process", given});
        const InspectRun result = runProgram("/usr/bin/env", arguments, m_scratch);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(expected), std::string::npos) << result.err;
    }
}

TEST(CaseModuleToolTest, CaseFailsInOneLineWhenTheModuleIsMissingOrWrong) {
    const std::string prefix = "norva-inspect: a .cas file needs the module norva-inspect-cas.so, ";
    const std::string zlib = "/lib/x86_64-linux-gnu/libz.so.1";  // loads, but serves no case
    const std::pair<std::string, std::string> cases[] = {
        {"", "which is not installed beside the program nor in its library folder\n"},
        {NORVA_INSPECT_PATH, "which could not be loaded: "},
        {zlib, "which has no entry point norvaCreateCaseBus: "},
    };
    for (const auto& [module, expected] : cases) {
        SCOPED_TRACE(module);
        if (!module.empty() && !std::filesystem::exists(module))
            GTEST_SKIP() << module << " absent";
        // A copy of the program in a folder of its own, with what stands in for its module.
        const testsupport::TempFolder files;
        std::filesystem::create_directories(files / "bin");
        std::filesystem::copy_file(NORVA_INSPECT_PATH, files / "bin/norva-inspect");
        if (!module.empty()) std::filesystem::copy_file(module, files / "bin/norva-inspect-cas.so");
        const InspectRun result = runProgram(files / "bin/norva-inspect",
                                             {"--dump", files.write("model.cas", "")}, files);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.starts_with(prefix + expected)) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
