#include <gtest/gtest.h>

#include <sstream>

#include "IUserInterface.h"
#include "TableReporter.h"

namespace {

TEST(TableReporter, DefaultOptionsShowAndLogNothingButKeepTheTexts) {
    RecordingUserInterface ui;
    std::ostringstream log;
    TableOptions options;
    options.userInterface = &ui;
    options.logStream = &log;
    TableReporter reporter(options);
    reporter.error("bad");
    reporter.warning("odd");
    reporter.logStatement("SELECT 1");
    EXPECT_EQ(ui.messageCount, 0);
    EXPECT_EQ(log.str(), "");
    ASSERT_EQ(reporter.messages().size(), 2u);
    EXPECT_EQ(reporter.messages()[0].severity, TableMessageSeverity::kError);
    EXPECT_EQ(reporter.messages()[1].text, "odd");
}

TEST(TableReporter, BoxesFollowTheirOwnSwitches) {
    RecordingUserInterface ui;
    TableOptions options;
    options.userInterface = &ui;
    options.showWarningBoxes = true;
    TableReporter reporter(options);
    reporter.error("bad");
    EXPECT_EQ(ui.messageCount, 0);
    reporter.warning("odd");
    EXPECT_EQ(ui.messageCount, 1);
    EXPECT_EQ(ui.lastCaption, "Warning");
    EXPECT_EQ(ui.lastMessage, "odd");

    RecordingUserInterface errorUi;
    options.userInterface = &errorUi;
    options.showErrorBoxes = true;
    options.showWarningBoxes = false;
    TableReporter errors(options);
    errors.warning("odd");
    errors.error("bad");
    EXPECT_EQ(errorUi.messageCount, 1);
    EXPECT_EQ(errorUi.lastCaption, "Error");
    EXPECT_EQ(errorUi.lastMessage, "bad");
}

TEST(TableReporter, LogsOnlyWithLoggingOnAndAStream) {
    std::ostringstream log;
    TableOptions options;
    options.logging = true;
    TableReporter noStream(options);
    noStream.error("bad");
    EXPECT_EQ(noStream.messages().size(), 1u);
    options.logStream = &log;
    options.showErrorBoxes = true;  // no interface attached: nothing to show, no crash
    TableReporter reporter(options);
    reporter.error("bad");
    reporter.warning("odd");
    reporter.logStatement("SELECT a FROM t");
    EXPECT_EQ(log.str(), "Error: bad\nWarning: odd\nSELECT a FROM t\n\n");
}

}  // namespace
