#include <gtest/gtest.h>

#include "AppCommandLine.h"

namespace {

AppCommandLine parse(std::vector<std::string> arguments) { return parseAppCommandLine(arguments); }

TEST(AppCommandLineTest, NoArgumentsMakeANewDocument) {
    EXPECT_EQ(parse({}).action, StartAction::kNewDocument);
}

TEST(AppCommandLineTest, AFileNameIsOpenedEvenWhenItIsAnAbsolutePath) {
    const AppCommandLine command = parse({"/data/Register.mps"});
    EXPECT_EQ(command.action, StartAction::kOpenFile);
    EXPECT_EQ(command.fileName, "/data/Register.mps");
}

TEST(AppCommandLineTest, AcceptsEverySwitchSpellingInAnyCase) {
    EXPECT_EQ(parse({"--register"}).action, StartAction::kRegister);
    EXPECT_EQ(parse({"/Register"}).action, StartAction::kRegister);
    EXPECT_EQ(parse({"-REGSERVER"}).action, StartAction::kRegister);
    EXPECT_EQ(parse({"--unregister"}).action, StartAction::kUnregister);
    EXPECT_EQ(parse({"/Unregserver"}).action, StartAction::kUnregister);
    EXPECT_EQ(parse({"/Automation"}).action, StartAction::kAutomation);
    EXPECT_EQ(parse({"--embedding"}).action, StartAction::kAutomation);
}

TEST(AppCommandLineTest, ASwitchWinsOverAFileName) {
    const AppCommandLine command = parse({"run.mps", "--unregister"});
    EXPECT_EQ(command.action, StartAction::kUnregister);
}

TEST(AppCommandLineTest, RejectsAnUnknownOption) {
    const AppCommandLine command = parse({"--regster"});
    EXPECT_EQ(command.action, StartAction::kRejected);
    EXPECT_NE(command.error.find("unknown option \"--regster\""), std::string::npos)
        << command.error;
}

TEST(AppCommandLineTest, RejectsASecondFileName) {
    const AppCommandLine command = parse({"a.mps", "b.mps"});
    EXPECT_EQ(command.action, StartAction::kRejected);
    EXPECT_NE(command.error.find("\"b.mps\" is a second one"), std::string::npos) << command.error;
}

}  // namespace

namespace {

TEST(AppCommandLineTest, ReadsThePrintForms) {
    struct Case {
        std::vector<std::string> arguments;
        StartAction action;
        std::string file, printer, pdf, name;
        bool rowDisplay;
    };
    const Case cases[] = {
        {{"--print", "a.mps"}, StartAction::kPrint, "a.mps", "", "", "", true},
        {{"/p", "/m/a.mps"}, StartAction::kPrint, "/m/a.mps", "", "", "", true},
        {{"--print-to", "Office", "a.mps"}, StartAction::kPrintTo, "a.mps", "Office", "", "", true},
        {{"/PT", "Office", "a.mps"}, StartAction::kPrintTo, "a.mps", "Office", "", "", true},
        {{"--print-to-pdf", "o.pdf", "a.mps"},
         StartAction::kPrintToPdf,
         "a.mps",
         "",
         "o.pdf",
         "",
         true},
        {{"--print-to-pdf", "o.pdf", "a.mps", "--col", "X1"},
         StartAction::kPrintToPdf,
         "a.mps",
         "",
         "o.pdf",
         "X1",
         false},
        {{"--print-to-pdf", "o.pdf", "a.mps", "--row", "R"},
         StartAction::kPrintToPdf,
         "a.mps",
         "",
         "o.pdf",
         "R",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + c.file + " " + c.name);
        const AppCommandLine command = parse(c.arguments);
        EXPECT_EQ(command.action, c.action) << command.error;
        EXPECT_EQ(command.fileName, c.file);
        EXPECT_EQ(command.printer, c.printer);
        EXPECT_EQ(command.pdfPath, c.pdf);
        EXPECT_EQ(command.detailName, c.name);
        EXPECT_EQ(command.rowDisplay, c.rowDisplay);
    }
}

TEST(AppCommandLineTest, RejectsIncompletePrintForms) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--print"}, "--print needs a FILE"},
        {{"/pt", "Office"}, "/pt needs two operands"},
        {{"--print-to-pdf", "o.pdf", "a.mps", "--row"}, "--row needs a NAME"},
        {{"--print", "a.mps", "b.mps"}, "\"b.mps\" cannot follow --print"},
        {{"--print", "a.mps", "--col", "X"}, "\"--col\" cannot follow --print"},
        {{"a.mps", "--print", "b.mps"}, "--print must come first"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(error);
        const AppCommandLine command = parse(arguments);
        EXPECT_EQ(command.action, StartAction::kRejected);
        EXPECT_EQ(command.error, error);
    }
}

}  // namespace
