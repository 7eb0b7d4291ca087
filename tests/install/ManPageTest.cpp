#include <regex>
#include <set>

#include "../cli/CliTestSupport.h"

namespace {

// The program's run with no display unless the assignments before it name one.
InspectRun run(std::vector<std::string> arguments) {
    const testsupport::TempFolder scratch;
    arguments.insert(arguments.begin(),
                     {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"});
    return runProgram("/usr/bin/env", arguments, scratch);
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

TEST(ManPageTest, HelpNeedsNoDisplayAndNamesEveryOptionOfTheManPageAndNoOther) {
    // Each program, its man page, and what else its help must name.
    const std::tuple<const char*, const char*, std::vector<const char*>> programs[] = {
        {NORVA_PROGRAM_PATH, "norva.1.in", {"/help/index.html\n", "Examples:   /"}},
        {NORVA_INSPECT_PATH, "norva-inspect.1.in", {}},
    };
    for (const auto& [program, page, parts] : programs) {
        SCOPED_TRACE(page);
        const InspectRun help = run({program, "--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.starts_with("usage: norva")) << help.out;
        const InspectRun wrong = run({"QT_QPA_PLATFORM=offscreen", program, "--hlep"});
        EXPECT_EQ(std::pair(wrong.exitCode, wrong.out), std::pair(2, std::string()));
        for (const char* part : parts)
            EXPECT_NE(help.out.find(part), std::string::npos) << help.out;
        const std::set<std::string> inHelp = longOptions(help.out);
        ASSERT_GT(inHelp.size(), 5u) << help.out;
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

}  // namespace
