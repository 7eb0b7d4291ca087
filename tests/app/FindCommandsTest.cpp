// Find in the running application: the search bar's Search button, F3 and Shift+F3 with
// wrap-around, the Find dialog, and the status-bar messages.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "AppTestSupport.h"
#include "CFindDlg.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaDoc.h"
#include "CPopupHelpWnd.h"
#include "CRowFormView.h"
#include "FindCommands.h"
#include "MemorySettingsStore.h"
#include "QtUserInterface.h"
#include "SearchBar.h"

namespace {

using apptest::qt;

// Status text through the real status bar, beeps counted.
class StatusBarUserInterface : public QtUserInterface {
public:
    void beep() override { ++beeps; }
    void messageBox(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + "|" + text);
    }
    int beeps = 0;
    std::vector<std::string> messages;
};

class FindCommandsTest : public ::testing::Test {
protected:
    FindCommandsTest() {
        m_app = std::make_unique<CNorvaApp>(store, ui, qt(folder / "bin/norva"));
        connect();
        EXPECT_TRUE(m_app->InitInstance({}).keepRunning);
        // Rows in name order: COST, LIM, ONLY, POS.
        EXPECT_NE(m_app->OpenDocumentFile(folder.write("small.mps", apptest::kSmallMps)), nullptr);
        frame().activateWindow();
        QApplication::setActiveWindow(&frame());
        m_app->detailView()->nameList()->setFocus();
    }
    void connect() {
        QObject::connect(m_app.get(), &CNorvaApp::frameCreated,
                         [this](CMainFrame* made) { ui.setMainWindow(made, made->statusBar()); });
    }
    CMainFrame& frame() { return *m_app->frame(); }
    QString shownName() { return m_app->detailView()->nameList()->currentText(); }
    QString status() { return frame().statusBar()->currentMessage(); }
    void typeSearch(const QString& text) { frame().searchBar()->searchText()->setText(text); }
    void pressF3(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_app->detailView()->nameList(), Qt::Key_F3, modifiers);
    }

    testsupport::TempFolder folder;
    MemorySettingsStore store;
    StatusBarUserInterface ui;

private:
    apptest::CurrentDirectoryGuard m_directory;
    std::unique_ptr<CNorvaApp> m_app;

protected:
    CNorvaApp& app() { return *m_app; }
};

TEST_F(FindCommandsTest, SearchButtonAndF3WrapPastTheEnd) {
    ASSERT_EQ(shownName(), "COST");
    EXPECT_TRUE(frame().searchBar()->searchButton()->isEnabled());
    typeSearch("O");
    QTest::mouseClick(frame().searchBar()->searchButton(), Qt::LeftButton);
    EXPECT_EQ(shownName(), "ONLY");
    EXPECT_EQ(status(), "");
    pressF3();
    EXPECT_EQ(shownName(), "POS");
    pressF3();
    EXPECT_EQ(shownName(), "COST");
    EXPECT_EQ(status(), "Passed end of list");
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(FindCommandsTest, ShiftF3SearchesUpAndWrapsFromTheTop) {
    typeSearch("O");
    pressF3(Qt::ShiftModifier);
    EXPECT_EQ(shownName(), "POS");
    EXPECT_EQ(status(), "Passed end of list");
    pressF3(Qt::ShiftModifier);
    EXPECT_EQ(shownName(), "ONLY");
    EXPECT_EQ(status(), "");
    pressF3(Qt::ShiftModifier);
    EXPECT_EQ(shownName(), "COST");
}

TEST_F(FindCommandsTest, NoMatchAndAnEmptyTextBeepAndSaySo) {
    typeSearch("ZZZ");
    pressF3();
    EXPECT_EQ(shownName(), "COST");
    EXPECT_EQ(status(), "< Search text not found. >");
    EXPECT_EQ(ui.beeps, 1);
    typeSearch("");
    QTest::mouseClick(frame().searchBar()->searchButton(), Qt::LeftButton);
    EXPECT_EQ(status(), "< Search text not found. >");
    EXPECT_EQ(ui.beeps, 2);
}

TEST_F(FindCommandsTest, FindDialogStoresItsSettingsAndSearchesItsWay) {
    typeSearch("lim");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* find = qobject_cast<CFindDlg*>(QApplication::activeModalWidget());
        if (find == nullptr) return;
        seen = true;
        EXPECT_EQ(find->text()->text(), "lim");
        EXPECT_TRUE(find->down()->isChecked());
        find->ignoreCase()->setChecked(true);
        find->wholeWord()->setChecked(true);
        find->up()->setChecked(true);
        find->accept();
    });
    frame().actions().find->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(shownName(), "LIM");
    const DocumentSettings& settings = app().document()->settings();
    EXPECT_EQ(settings.IgnoreCase, 1);
    EXPECT_EQ(settings.WholeWordSearch, 1);
    EXPECT_EQ(settings.SearchUp, 1);
    // The search bar's button now searches up, for whole names in any case.
    typeSearch("cost");
    QTest::mouseClick(frame().searchBar()->searchButton(), Qt::LeftButton);
    EXPECT_EQ(shownName(), "COST");
    EXPECT_EQ(status(), "");
}

TEST_F(FindCommandsTest, FindDialogCancelChangesNothing) {
    typeSearch("POS");
    QTimer::singleShot(0, [] {
        auto* find = qobject_cast<CFindDlg*>(QApplication::activeModalWidget());
        if (find == nullptr) return;
        find->up()->setChecked(true);
        find->reject();
    });
    frame().actions().find->trigger();
    EXPECT_EQ(shownName(), "COST");
    EXPECT_EQ(app().document()->settings().SearchUp, 0);
}

TEST(CFindDlgTest, ControlsShowTheirHelpTextsAndTheLabelItsField) {
    CFindDlg find(FindDialogFields{});
    find.show();
    const auto helpOn = [](QWidget* control) -> std::string {
        if (CPopupHelpWnd::current() != nullptr) CPopupHelpWnd::current()->close();
        QApplication::processEvents();
        QHelpEvent request(QEvent::WhatsThis, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(control, &request);
        return CPopupHelpWnd::current() ? CPopupHelpWnd::current()->text().toStdString() : "";
    };
    EXPECT_EQ(helpOn(find.ignoreCase()), "If checked, search in a case insensitive manner.");
    EXPECT_EQ(helpOn(find.textLabel()), "Search through matrix rows/columns for this text");
    EXPECT_EQ(helpOn(find.startAtBeginning()).rfind("Begin each search from the beginning", 0), 0u);
    if (CPopupHelpWnd::current() != nullptr) CPopupHelpWnd::current()->close();
}

}  // namespace
