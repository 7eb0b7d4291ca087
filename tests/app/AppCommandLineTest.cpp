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
