#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <array>

#include "AppTestSupport.h"

namespace {

constexpr SettingsScope kProfile = SettingsScope::kProfile;

class CMainFrameTest : public ::testing::Test {
protected:
    std::unique_ptr<CMainFrame> makeFrame() {
        return std::make_unique<CMainFrame>(store, new QWidget);
    }

    MemorySettingsStore store;
};

// A left pane that asks for its designed size, as the detail form does.
class DesignedPane : public QWidget {
public:
    QSize sizeHint() const override { return QSize(400, 300); }
};

// The first start opens around the designed form, the submatrix pane added when enabled.
TEST_F(CMainFrameTest, FirstStartAndAnUnreadablePlacementShowTheDefaultWindowNormally) {
    for (const char* placement : {"", "garbage"}) {
        SCOPED_TRACE(placement);
        if (*placement != '\0') store.writeString(kProfile, "Frame", "WindowPos", placement);
        CMainFrame frame(store, new DesignedPane);
        frame.showAtStoredPlacement();
        EXPECT_EQ(std::tuple(frame.isVisible(), frame.isMaximized(), frame.isMinimized(),
                             frame.width(), frame.submatrixWidth(), frame.submatrixShown()),
                  std::tuple(true, false, false, 400 + 17, 300, false));
        EXPECT_GT(frame.height(), 300);
        EXPECT_EQ(frame.splitter()->widget(0), frame.leftView());
    }
    store.writeInteger(kProfile, "Options", "EnabledSubmatrix", 1);
    CMainFrame wide(store, new DesignedPane);
    wide.showAtStoredPlacement();
    EXPECT_EQ(wide.width(), 400 + 300);
}

// A normal window stores where it was moved; a maximised one keeps its normal place.
TEST_F(CMainFrameTest, PlacementRoundTrip) {
    const std::array<const char*, 2> cases[] = {
        {"0,1,-1,-1,-1,-1,100,120,900,720", "0,1,-1,-1,-1,-1,140,130,940,730"},
        {"0,3,-1,-1,-1,-1,50,60,650,560", "0,3,-1,-1,-1,-1,50,60,650,560"}};
    for (const auto& [placement, expected] : cases) {
        SCOPED_TRACE(placement);
        store.writeString(kProfile, "Frame", "WindowPos", placement);
        {
            const auto frame = makeFrame();
            frame->showAtStoredPlacement();
            if (frame->isMaximized()) {
                EXPECT_EQ(placement[2], '3');
            } else {
                EXPECT_EQ(frame->geometry(), QRect(100, 120, 800, 600));
                frame->setGeometry(140, 130, 800, 600);
            }
            frame->close();
        }
        EXPECT_EQ(store.getString(kProfile, "Frame", "WindowPos", "<absent>"), expected);
    }
}

TEST_F(CMainFrameTest, ViewSubmatrixWidthAndTheBarsComeBackAfterClosing) {
    store.writeString(kProfile, "Frame", "WindowPos", "0,1,-1,-1,-1,-1,10,10,900,500");
    {
        const auto frame = makeFrame();
        frame->showAtStoredPlacement();
        const int left = frame->leftView()->width();
        frame->searchBar()->viewSubmatrix()->setChecked(true);
        EXPECT_EQ(frame->frameGeometry().width(), left + 300);
        EXPECT_TRUE(frame->submatrixShown());
        frame->searchBar()->viewSubmatrix()->setChecked(false);
        EXPECT_FALSE(frame->submatrixShown());
        EXPECT_EQ(frame->frameGeometry().width(), left + 17);
        EXPECT_EQ(frame->geometry().topLeft(), QPoint(10, 10));
        frame->searchBar()->hide();
        frame->actions().statusBarToggle->setChecked(false);
        frame->close();
    }
    EXPECT_EQ(store.readInteger(kProfile, "Options", "EnabledSubmatrix"), 0);
    const auto again = makeFrame();
    again->showAtStoredPlacement();
    EXPECT_FALSE(again->searchBar()->isVisible());
    EXPECT_FALSE(again->actions().statusBarToggle->isChecked());
    // The narrow window stores a width that the next start replaces by the default.
    EXPECT_LT(store.readInteger(kProfile, "Options", "SubmatrixSizeDiff").value_or(100), 100);
    EXPECT_EQ(makeFrame()->submatrixWidth(), 300);
    store.writeInteger(kProfile, "Options", "SubmatrixSizeDiff", 100);
    EXPECT_EQ(makeFrame()->submatrixWidth(), 100);
}

TEST_F(CMainFrameTest, LeftAndRightHalfFillHalvesOfTheWorkArea) {
    const auto frame = makeFrame();
    // Without an icon theme the toolbar's text buttons would make the window wider than half
    // of the small offscreen screen.
    frame->actions().toolbarToggle->setChecked(false);
    frame->searchBar()->hide();
    frame->showMaximized();
    ASSERT_LE(frame->minimumSizeHint().width(), frame->screen()->availableGeometry().width() / 2);
    const QRect area = frame->screen()->availableGeometry();
    frame->moveToHalf(false);
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->frameGeometry(),
              QRect(area.left(), area.top(), area.width() / 2, area.height()));
    frame->moveToHalf(true);
    const int middle = (area.left() + area.left() + area.width()) / 2;
    EXPECT_EQ(frame->frameGeometry(), QRect(middle, area.top(), area.width() / 2, area.height()));
}

// Copy waits for a grid selection, Print for a shown row or column; Undo has no handler; Ctrl+S
// is bound to nothing. Recent files stand in the File menu, each reporting its index.
TEST_F(CMainFrameTest, CommandsFollowTheirHandlerAndSubjectAndRecentEntriesReplaceThePlaceholder) {
    const auto frame = makeFrame();
    const FrameActions& a = frame->actions();
    for (QAction* action : {a.print, a.undo, a.cut, a.copy, a.paste, a.openSolution})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    for (QAction* action :
         {a.open, a.printSetup, a.find, a.findNext, a.findPrevious, a.programOptions})
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    for (QAction* action : frame->findChildren<QAction*>())
        EXPECT_FALSE(action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_S)))
            << action->text().toStdString();
    frame->setRecentFiles({"/m/a.mps", "/m/KNLP_Solution.001"});
    EXPECT_FALSE(frame->actions().recentPlaceholder->isVisible());
    int chosen = -1;
    QObject::connect(frame.get(), &CMainFrame::recentFileChosen, [&chosen](int i) { chosen = i; });
    QAction* second = nullptr;
    for (QAction* item : frame->actions().fileMenu->actions())
        if (item->text() == "&2 /m/KNLP_Solution.001") second = item;
    ASSERT_NE(second, nullptr);
    second->trigger();
    EXPECT_EQ(chosen, 1);
    frame->setRecentFiles({});
    EXPECT_TRUE(frame->actions().recentPlaceholder->isVisible());
}

}  // namespace
