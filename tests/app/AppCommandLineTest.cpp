#include <gtest/gtest.h>

#include "AppCommandLine.h"

namespace {

using Arguments = std::vector<std::string>;

// What is read, as "action|file|printer|pdf|name|r" (r: row display, c: column display).
std::string parsed(const Arguments& arguments) {
    const AppCommandLine c = parseAppCommandLine(arguments);
    return std::to_string(static_cast<int>(c.action)) + "|" + c.fileName + "|" + c.printer + "|" +
           c.pdfPath + "|" + c.detailName + "|" + (c.rowDisplay ? "r" : "c");
}
std::string read(StartAction action, const std::string& rest = "||||r") {
    return std::to_string(static_cast<int>(action)) + "|" + rest;
}

// Switches in every spelling and any case; a switch wins over a file name.
TEST(AppCommandLineTest, ReadsEachStartForm) {
    const std::pair<Arguments, std::string> cases[] = {
        {{}, read(StartAction::kNewDocument)},
        {{"/data/Register.mps"}, read(StartAction::kOpenFile, "/data/Register.mps||||r")},
        {{"--register"}, read(StartAction::kRegister)},
        {{"/Register"}, read(StartAction::kRegister)},
        {{"-REGSERVER"}, read(StartAction::kRegister)},
        {{"--unregister"}, read(StartAction::kUnregister)},
        {{"/Unregserver"}, read(StartAction::kUnregister)},
        {{"run.mps", "--unregister"}, read(StartAction::kUnregister, "run.mps||||r")},
        {{"/Automation"}, read(StartAction::kAutomation)},
        {{"--embedding"}, read(StartAction::kAutomation)},
        {{"--help"}, read(StartAction::kHelp)},
        {{"-h"}, read(StartAction::kHelp)},
        {{"--print", "a.mps"}, read(StartAction::kPrint, "a.mps||||r")},
        {{"/p", "/m/a.mps"}, read(StartAction::kPrint, "/m/a.mps||||r")},
        {{"/PT", "Office", "a.mps"}, read(StartAction::kPrintTo, "a.mps|Office|||r")},
        {{"--print-to-pdf", "o.pdf", "a.mps"}, read(StartAction::kPrintToPdf, "a.mps||o.pdf||r")},
        {{"--print-to-pdf", "o.pdf", "a.mps", "--col", "X1"},
         read(StartAction::kPrintToPdf, "a.mps||o.pdf|X1|c")},
    };
    for (const auto& [arguments, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(parsed(arguments), expected);
    }
}

TEST(AppCommandLineTest, RejectsUnknownOptionsExtraFilesAndIncompletePrintForms) {
    const std::pair<Arguments, std::string> cases[] = {
        {{"--regster"}, "unknown option \"--regster\""},
        {{"a.mps", "b.mps"}, "\"b.mps\" is a second one"},
        {{"--print"}, "--print needs a FILE"},
        {{"/pt", "Office"}, "/pt needs two operands"},
        {{"--print-to-pdf", "o.pdf", "a.mps", "--row"}, "--row needs a NAME"},
        {{"--print", "a.mps", "b.mps"}, "\"b.mps\" cannot follow --print"},
        {{"--print", "a.mps", "--col", "X"}, "\"--col\" cannot follow --print"},
        {{"a.mps", "--print", "b.mps"}, "--print must come first"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(error);
        const AppCommandLine command = parseAppCommandLine(arguments);
        EXPECT_EQ(command.action, StartAction::kRejected);
        EXPECT_NE(command.error.find(error), std::string::npos) << command.error;
    }
}

}  // namespace
