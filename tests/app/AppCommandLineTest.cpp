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
    EXPECT_EQ(parse({"--help"}).action, StartAction::kHelp);
    EXPECT_EQ(parse({"-h"}).action, StartAction::kHelp);
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
    // What is read, as "file|printer|pdf|name|r" (r: row display, c: column display).
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--print", "a.mps"}, "a.mps||||r"},
        {{"/p", "/m/a.mps"}, "/m/a.mps||||r"},
        {{"/PT", "Office", "a.mps"}, "a.mps|Office|||r"},
        {{"--print-to-pdf", "o.pdf", "a.mps"},
         "a.mps||o.pdf|"
         "|r"},
        {{"--print-to-pdf", "o.pdf", "a.mps", "--col", "X1"}, "a.mps||o.pdf|X1|c"},
    };
    for (const auto& [arguments, expected] : cases) {
        SCOPED_TRACE(expected);
        const AppCommandLine c = parse(arguments);
        EXPECT_NE(c.action, StartAction::kRejected) << c.error;
        EXPECT_EQ(c.fileName + "|" + c.printer + "|" + c.pdfPath + "|" + c.detailName + "|" +
                      (c.rowDisplay ? "r" : "c"),
                  expected);
    }
    EXPECT_EQ(parse({"/p", "a.mps"}).action, StartAction::kPrint);
    EXPECT_EQ(parse({"--print-to", "P", "a.mps"}).action, StartAction::kPrintTo);
    EXPECT_EQ(parse({"--print-to-pdf", "o.pdf", "a.mps"}).action, StartAction::kPrintToPdf);
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
