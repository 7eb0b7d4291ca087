#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CliTestSupport.h"
#include "PlantedFile.h"

namespace {

const char* const kTinyModel =
    "NAME          TINY\n"
    "ROWS\n"
    " N  OBJ\n"
    " L  LIM1\n"
    " G  LIM2\n"
    " E  MYEQN\n"
    "COLUMNS\n"
    "    XONE      OBJ       1.0          LIM1      1.0\n"
    "    XONE      LIM2      1.0\n"
    "    YTWO      OBJ       2.0          LIM1      0.1\n"
    "    YTWO      MYEQN     -1.0\n"
    "    ZTHREE    OBJ       3.0          MYEQN     1.0\n"
    "RHS\n"
    "    RHS       LIM1      4.0          LIM2      1.0\n"
    "    RHS       MYEQN     7.0\n"
    "RANGES\n"
    "    RNG       LIM1      2.5\n"
    "BOUNDS\n"
    " UP BND       XONE      4.0\n"
    " FR BND       YTWO\n"
    " FX BND       ZTHREE    1.5\n"
    "ENDATA\n";

// The stored float of value as "%.9g" writes it.
std::string g9(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(static_cast<float>(value)));
    return text;
}

// The model part of the tiny model's dump: arrays sorted by name, bounds by kind then name.
std::vector<std::string> tinyModelLines() {
    return {"rows 4",           "LIM1 L",       "LIM2 G",
            "MYEQN E",          "OBJ N",        "columns 3",
            "XONE 3",           " OBJ 1",       " LIM1 1",
            " LIM2 1",          "YTWO 3",       " OBJ 2",
            " LIM1 " + g9(0.1), " MYEQN -1",    "ZTHREE 2",
            " OBJ 3",           " MYEQN 1",     "rhs 3",
            "LIM1 4",           "LIM2 1",       "MYEQN 7",
            "ranges 1",         "LIM1 2.5",     "bounds 6",
            "XONE 1 0",         "ZTHREE 1 1.5", "XONE 2 4",
            "ZTHREE 2 1.5",     "ZTHREE 3 1.5", "YTWO 4 " + g9(1e20)};
}

void expectLines(const std::string& text, const std::vector<std::string>& expected) {
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < expected.size() && i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(lines.size(), expected.size());
    EXPECT_TRUE(text.empty() || text.back() == '\n');
}

using CommandLineToolTest = CliToolTest;

TEST_F(CommandLineToolTest, DumpsTinyModelExactly) {
    const InspectRun result = run({"--dump", m_files.write("tiny.mps", kTinyModel)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> expected = tinyModelLines();
    expected.push_back("primal_rows 0");
    expected.push_back("primal_columns 0");
    expectLines(result.out, expected);
    EXPECT_EQ(result.err, "");
}

TEST_F(CommandLineToolTest, SolutionFillsPrimalLists) {
    const std::string model = m_files.write("tiny.mps", kTinyModel);
    const std::string solution = m_files.write("KNLP_Solution.001",
                                               "header 1\nheader 2\nheader 3\nXONE 4\nYTWO 0.1\n"
                                               "ZTHREE 1.5\nNOSUCH 9\n");
    const InspectRun result = run({"--dump", model, "--solution", solution});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> expected = tinyModelLines();
    const std::vector<std::string> primal = {
        "primal_rows 4",
        "LIM1 " + g9(4.0 + 0.1 * 0.1) + " 0 3",
        "LIM2 4 0 3",
        "MYEQN " + g9(-0.1 + 1.5) + " 0 3",
        "OBJ " + g9(4.0 + 2.0 * 0.1 + 3.0 * 1.5) + " 0 3",
        "primal_columns 3",
        "XONE 4 0 1 5",                // at upper limit
        "YTWO " + g9(0.1) + " 0 2 3",  // free, away from zero: basic
        "ZTHREE 1.5 0 3 4",            // fixed
    };
    expected.insert(expected.end(), primal.begin(), primal.end());
    expectLines(result.out, expected);
}

// A file written before ORB files held their name order opens as its MPS source does, names
// out of byte order and repeated ones included; so does the same model written today.
TEST_F(CommandLineToolTest, OrbWithoutStoredNameOrderDumpsAsItsSource) {
    const std::string data = NORVA_TEST_DATA_DIR;
    const std::string model = data + "/mps/unordered.mps";
    const std::string orb = m_files.path() + "/unordered.orb";
    ASSERT_EQ(run({"--write-orb", orb, model}).exitCode, 0);
    const InspectRun fromMps = run({"--dump", model});
    ASSERT_EQ(fromMps.exitCode, 0) << fromMps.err;
    for (const std::string& file : {data + "/orb/unordered-v1.orb", orb}) {
        SCOPED_TRACE(file);
        const InspectRun fromOrb = run({"--dump", file});
        ASSERT_EQ(fromOrb.exitCode, 0) << fromOrb.err;
        EXPECT_EQ(fromOrb.out, fromMps.out);
        EXPECT_TRUE(hasLine(fromOrb.err, file + ": duplicate row 'PRO_CR000003'")) << fromOrb.err;
        EXPECT_TRUE(hasLine(fromOrb.err, file + ": duplicate column 'PRO_XP000200'"));
    }
}

// The project's netlib copies, or the shared netlib folder when the copies are absent.
std::filesystem::path netlibFolder() {
    for (const char* base : {NORVA_TEST_DATA_DIR, NORVA_SHARED_DATA_DIR}) {
        const std::filesystem::path folder = std::filesystem::path(base) / "netlib";
        if (std::filesystem::is_directory(folder)) return folder;
    }
    return {};
}

// The tiny model, and the netlib models where they are, dump the same from MPS and from ORB.
TEST_F(CommandLineToolTest, OrbRoundTripsDumpTheSame) {
    std::vector<std::string> models = {m_files.write("tiny.mps", kTinyModel)};
    if (const std::filesystem::path folder = netlibFolder(); !folder.empty())
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().string().find(".mps") != std::string::npos)
                models.push_back(entry.path().string());
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
}

TEST_F(CommandLineToolTest, StatsReportsCountsAndMagnitudes) {
    const struct {
        std::string name, text;
        std::vector<std::string> lines;
    } cases[] = {
        {"tiny.mps",
         kTinyModel,
         {"rows: 4",
          "rows_N: 1",
          "rows_E: 1",
          "rows_L: 1",
          "rows_G: 1",
          "columns: 3",
          "nonzeros: 8",
          "rhs: 3",
          "ranges: 1",
          "bounds: 6",
          "bounds_lower: 2",
          "bounds_upper: 2",
          "bounds_fixed: 1",
          "bounds_free: 1",
          "nonlinear_terms: 0",
          "coef_abs_max: 3",
          "rhs_abs_min: 1",
          "rhs_abs_max: 7",
          "bound_abs_min: 1.5",
          "bound_abs_max: 4",
          "coef_abs_min: " + g9(0.1)}},
        {"bare.mps",
         "NAME BARE\nROWS\n N  OBJ\n L  LIM\nCOLUMNS\n    X  LIM  1\nENDATA\n",
         {"rhs_abs_min: none", "rhs_abs_max: none", "bound_abs_min: none"}},
        {"quad.mps",
         "NAME Q\nROWS\n N  OBJ\n L  LIM\nCOLUMNS\n    X  OBJ  1  LIM  1\n    Y  LIM  1\n"
         "QUADOBJ\n    X  X  2\n    X  Y  1\n    Y  Y  4\nENDATA\n",
         {"nonlinear_terms: 3", "nonzeros: 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const InspectRun result = run({"--stats", m_files.write(c.name, c.text)});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        for (const std::string& line : c.lines)
            EXPECT_TRUE(hasLine(result.out, line)) << line << " missing from\n" << result.out;
        EXPECT_TRUE(
            std::regex_search(result.out, std::regex("(^|\n)load_seconds: [0-9]+\\.[0-9]{3}\n")))
            << result.out;
    }
}

TEST_F(CommandLineToolTest, RejectsDamagedMpsWithLogAndLine) {
    const std::string model =
        m_files.write("damaged.mps",
                      "NAME BAD\nROWS\n N  OBJ\n L  LIM1\nCOLUMNS\n    X1  OBJ  1  LIM1  9e99\n"
                      "ENDATA\n");
    const InspectRun result = run({"--stats", model});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    const std::string log = m_files.path() + "/damaged_err.log";
    EXPECT_NE(result.err.find("Failed to load MPS file. Look at the error log file:\n " + log),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(log + ":\n" + readWholeFile(log)), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("damaged.mps:6:"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("9e99"), std::string::npos) << result.err;
}

// Each failure exits 1 with nothing on stdout, and never shows a log left by an earlier run.
TEST_F(CommandLineToolTest, RejectsUnreadableInputsAndUnwritableOutput) {
    const std::string model = m_files.write("tiny.mps", kTinyModel);
    const std::string missing = m_files.path() + "/absent.mps";
    m_files.write("absent_err.log", "STALE LOG OF AN EARLIER RUN\n");
    const std::string orb = m_files.write("broken.orb", "this is no ORB file\n");
    const std::string noSolution = m_files.path() + "/KNLP_Solution.none";
    const std::string noFolder = m_files.path() + "/no/such/folder/out.orb";
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> phrases;
    } cases[] = {
        {{"--dump", missing},
         {"Error: Cannot open the file " + missing, "could not open matrix file " + missing}},
        {{"--dump", orb},
         {"Failed to load ORB file. Look at the error log file:\n " + m_files.path() +
          "/broken_err.log"}},
        {{"--dump", model, "--solution", noSolution},
         {"Error: Unable to open KSLP Results File: " + noSolution,
          "could not open solution file " + noSolution}},
        {{"--write-orb", noFolder, model}, {"could not write " + noFolder}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[1]);
        const InspectRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        for (const std::string& phrase : c.phrases)
            EXPECT_NE(result.err.find(phrase), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("STALE LOG"), std::string::npos) << result.err;
    }
}

TEST_F(CommandLineToolTest, OrbOutputReplacesOnlyARegularFile) {
    const std::string model = m_files.write("tiny.mps", kTinyModel);
    const std::string regular = m_files.write("old.orb", "AN OLDER FILE\n");
    const InspectRun replaced = run({"--write-orb", regular, model});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(readWholeFile(regular).substr(0, 4), "ORBX");

    for (const testsupport::Planted kind : testsupport::kAllPlanted) {
        SCOPED_TRACE(testsupport::plantedName(kind));
        const std::string out = m_files.path() + "/planted.orb";
        const testsupport::PlantedFile planted(kind, out);
        const InspectRun result = run({"--write-orb", out, model});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("could not write " + out), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
        planted.expectUntouched();
        std::filesystem::remove(out);
    }
}

TEST_F(CommandLineToolTest, RejectsBadUsage) {
    const struct {
        std::vector<std::string> arguments;
        const char* phrase;
    } cases[] = {
        {{}, "one of --dump, --stats, --write-orb or --table is needed"},
        {{"--bogus", "x.mps"}, "unknown option --bogus"},
        {{"--dump"}, "no matrix file given"},
        {{"--dump", "a.mps", "b.mps"}, "more than one matrix file: b.mps"},
        {{"--dump", "--stats", "a.mps"}, "only one of"},
        {{"--write-orb"}, "--write-orb needs a value"},
        {{"--dump", "a.mps", "--solution"}, "--solution needs a value"},
        {{"--stats", "a.mps", "--solution", "s"}, "--solution goes with --dump or --write-orb"},
        {{"--dump", "a.cas", "--loom-process"}, "--loom-process needs a value"},
        {{"--table", "t", "--kind", "7", "--loom-process", "P"},
         "--loom-process does not go with --table"},
    };
    for (const auto& c : cases) expectUsageError(c.arguments, c.phrase);
}

TEST_F(CommandLineToolTest, HelpPrintsUsage) {
    const InspectRun result = run({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("usage: norva-inspect --dump FILE", 0), 0u) << result.out;
}

// Sets an environment variable for the tools this test starts, and puts it back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST_F(CommandLineToolTest, CaseTakesTheStoredProcessNameUnlessOneIsGiven) {
    // No session bus: a named process fails at the bus, an unnamed one before it.
    const ScopedEnvironment config("XDG_CONFIG_HOME", m_files.path());
    const ScopedEnvironment bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    std::filesystem::create_directories(m_files / "Orvane");
    const std::string required = "A LOOM Process Name is required.";
    const std::string install = "\nPlease make sure that you have installed LoomX.";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "", required}, {"P1", "", install}, {"", "P2", install}};
    for (const auto& [stored, given, expected] : cases) {
        SCOPED_TRACE(stored + "/" + given);
        m_files.write("Orvane/Norva.ini", "[Options]\nLoomProcessName=" + stored);
        std::vector<std::string> arguments{"--dump", m_files.write("model.cas", "")};
        if (!given.empty()) arguments.insert(arguments.end(), {"--loom-process", given});
        const InspectRun result = run(arguments);
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
        const CliTempFolder files;
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
