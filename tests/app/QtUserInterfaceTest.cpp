#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

#include "QtUserInterface.h"

namespace {

// Status text through the real status bar is checked with Find in the running program.
TEST(QtUserInterfaceTest, WaitCursorNestsAndUnbalancedEndsAndWindowlessStatusAreHarmless) {
    QtUserInterface ui;
    ui.statusText("nothing to see");  // no window yet: nowhere to show it, and no crash
    ui.endWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui.beginWaitCursor();
    ui.beginWaitCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.endWaitCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    ui.endWaitCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
