#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>
#include <string>

#include "TestData.h"

namespace {

struct ProgramRun {
    std::string output;
    int status = -1;
};

// The program's standard output and exit status, with no display unless environment names one.
ProgramRun run(const std::string& command, const std::string& environment = "") {
    ProgramRun result;
    const std::string line = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + environment +
                             " " + command + " 2>/dev/null";
    FILE* pipe = ::popen(line.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The long options named in text; a man page writes each dash as "\-".
std::set<std::string> longOptions(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    std::set<std::string> options;
    const std::regex option(R"((^|[^-\w])(--[a-z][a-z0-9-]*[a-z0-9]))");
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        options.insert((*it)[2]);
    return options;
}

TEST(ManPageTest, EveryOptionOfHelpIsInTheManPageAndNoOther) {
    const std::pair<const char*, const char*> programs[] = {
        {NORVA_PROGRAM_PATH, "norva.1.in"},
        {NORVA_INSPECT_PATH, "norva-inspect.1.in"},
    };
    for (const auto& [program, page] : programs) {
        SCOPED_TRACE(page);
        const ProgramRun help = run(std::string(program) + " --help");
        EXPECT_EQ(help.status, 0);
        const std::set<std::string> inHelp = longOptions(help.output);
        ASSERT_GT(inHelp.size(), 5u) << help.output;
        const std::set<std::string> inPage =
            longOptions(testsupport::fileText(std::string(NORVA_MAN_SOURCE_DIR) + "/" + page));
        for (const std::string& option : inHelp)
            EXPECT_TRUE(inPage.contains(option)) << option << " is missing from the man page";
        // A usage text need not name the option that shows it.
        for (const std::string& option : inPage)
            EXPECT_TRUE(inHelp.contains(option) || option == "--help")
                << option << " is missing from --help";
    }
}

TEST(ManPageTest, NorvaHelpNeedsNoDisplayAndNamesItsHelpAndExamples) {
    const ProgramRun help = run(std::string(NORVA_PROGRAM_PATH) + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.output.starts_with("usage: norva")) << help.output;
    EXPECT_NE(help.output.find("/help/index.html\n"), std::string::npos) << help.output;
    EXPECT_NE(help.output.find("Examples:   /"), std::string::npos) << help.output;
    const ProgramRun wrong =
        run(std::string(NORVA_PROGRAM_PATH) + " --hlep", "QT_QPA_PLATFORM=offscreen");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.output, "");
}

}  // namespace
