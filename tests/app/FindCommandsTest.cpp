#include "AppTestSupport.h"
#include "CFindDlg.h"

namespace {

using apptest::helpOn;

class FindCommandsTest : public apptest::AppTest {
protected:
    FindCommandsTest() {
        withSmallModel();
        frame().activateWindow();
        QApplication::setActiveWindow(&frame());
        app().detailView()->nameList()->setFocus();
    }
    QString status() { return frame().statusBar()->currentMessage(); }
    void typeSearch(const QString& text) { frame().searchBar()->searchText()->setText(text); }
    void clickSearch() { QTest::mouseClick(frame().searchBar()->searchButton(), Qt::LeftButton); }
};

TEST_F(FindCommandsTest, SearchButtonF3AndShiftF3WrapAndBeepWhenNothingMatches) {
    ASSERT_EQ(shownName(), "COST");
    EXPECT_TRUE(frame().searchBar()->searchButton()->isEnabled());
    enum Key { kButton, kF3, kShiftF3 };
    // Text typed first (unless null), key, name shown, status, beeps so far.
    const std::tuple<const char*, Key, const char*, const char*, int> steps[] = {
        {"O", kButton, "ONLY", "", 0},
        {nullptr, kF3, "POS", "", 0},
        {nullptr, kF3, "COST", "Passed end of list", 0},
        {nullptr, kShiftF3, "POS", "Passed end of list", 0},
        {nullptr, kShiftF3, "ONLY", "", 0},
        {nullptr, kShiftF3, "COST", "", 0},
        {"ZZZ", kF3, "COST", "< Search text not found. >", 1},
        {"", kButton, "COST", "< Search text not found. >", 2},
    };
    for (const auto& [text, key, name, message, beeps] : steps) {
        SCOPED_TRACE(testing::Message() << (text ? text : "-") << " " << key);
        if (text != nullptr) typeSearch(text);
        if (key == kButton)
            clickSearch();
        else
            QTest::keyClick(app().detailView()->nameList(), Qt::Key_F3,
                            key == kShiftF3 ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(shownName(), name);
        EXPECT_EQ(status(), message);
        EXPECT_EQ(ui.beeps, beeps);
    }
}

TEST_F(FindCommandsTest, FindDialogCancelChangesNothingAndOkStoresItsSettingsAndSearches) {
    typeSearch("lim");
    const auto find = [this] { frame().actions().find->trigger(); };
    ASSERT_TRUE(apptest::onModal<CFindDlg>(
        [](CFindDlg& dialog) {
            dialog.up()->setChecked(true);
            dialog.reject();
        },
        find));
    EXPECT_EQ(shownName(), "COST");
    EXPECT_EQ(app().document()->settings().SearchUp, 0);
    ASSERT_TRUE(apptest::onModal<CFindDlg>(
        [](CFindDlg& dialog) {
            EXPECT_EQ(dialog.text()->text(), "lim");
            EXPECT_TRUE(dialog.down()->isChecked());
            dialog.ignoreCase()->setChecked(true);
            dialog.wholeWord()->setChecked(true);
            dialog.up()->setChecked(true);
            dialog.accept();
        },
        find));
    EXPECT_EQ(shownName(), "LIM");
    const DocumentSettings& settings = app().document()->settings();
    EXPECT_EQ(settings.IgnoreCase + settings.WholeWordSearch + settings.SearchUp, 3);
    // The search bar's button now searches up, for whole names in any case.
    typeSearch("cost");
    clickSearch();
    EXPECT_EQ(shownName(), "COST");
    EXPECT_EQ(status(), "");
}

TEST(CFindDlgTest, ControlsShowTheirHelpTextsAndTheLabelItsField) {
    CFindDlg find(FindDialogFields{});
    find.show();
    EXPECT_EQ(helpOn(find.ignoreCase()), "If checked, search in a case insensitive manner.");
    EXPECT_EQ(helpOn(find.textLabel()), "Search through matrix rows/columns for this text");
    EXPECT_TRUE(helpOn(find.startAtBeginning()).starts_with("Begin each search from"));
    CPopupHelpWnd::current()->close();
}

}  // namespace
