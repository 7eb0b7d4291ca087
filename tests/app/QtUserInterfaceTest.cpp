#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QMainWindow>
#include <QStatusBar>

#include "QtUserInterface.h"

namespace {

TEST(QtUserInterfaceTest, StatusTextGoesToTheMainWindowsStatusBar) {
    QMainWindow window;
    QtUserInterface ui;
    ui.statusText("nothing to see");  // no window yet: nowhere to show it, and no crash
    ui.setMainWindow(&window, window.statusBar());
    ui.statusText("Row LIM found");
    EXPECT_EQ(window.statusBar()->currentMessage(), "Row LIM found");
}

TEST(QtUserInterfaceTest, WaitCursorNestsAndUnbalancedEndsAreHarmless) {
    QtUserInterface ui;
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
