#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "FrameActions.h"
#include "ISettingsStore.h"
#include "WindowPlacement.h"

class QLabel;
class QSplitter;
class SearchBar;

// The main window: menus, toolbar, a one-pane status bar, the search bar, and a splitter with
// the detail view on the left and the submatrix view on the right. The right pane is shown or
// hidden by widening or narrowing the whole window. The frame keeps its placement, its bars'
// state and the submatrix pane's width in the profile, reading them when made and writing
// them when closed.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Frame width beyond the left pane that leaves only the left pane in view.
    static constexpr int kNarrowExtra = 17;
    static constexpr int kDefaultSubmatrixWidth = 300;
    static constexpr int kMinimumSubmatrixWidth = 100;

    // leftView and rightView become the splitter's panes (owned by the frame from then on);
    // without a rightView the right pane stays an empty widget.
    CMainFrame(ISettingsStore& store, QWidget* leftView, QWidget* rightView = nullptr,
               QWidget* parent = nullptr);

    const FrameActions& actions() const { return m_actions; }
    SearchBar* searchBar() const { return m_searchBar; }
    QWidget* leftView() const { return m_leftView; }
    QWidget* rightView() const { return m_rightView; }
    QSplitter* splitter() const { return m_splitter; }

    // Shows the window at its stored placement (creation's last step); without one, with the
    // requested show command at the system's default place.
    void showAtStoredPlacement(int requestedShowCommand = WindowPlacement::kShowNormal);
    WindowPlacement currentPlacement() const;

    // The recent-file entries of the File menu, newest first; an entry chosen emits
    // recentFileChosen with its index.
    void setRecentFiles(const std::vector<std::string>& paths);

    bool submatrixShown() const { return m_submatrixShown; }
    int submatrixWidth() const { return m_submatrixWidth; }
    // The "View Submatrix" check: widens the window by the submatrix width or narrows it to
    // the left pane.
    void showSubmatrix(bool shown);
    // The status bar's text while it shows no message: the model's counts and solution.
    void setModelSummary(const QString& text);
    QString modelSummary() const;
    // Moves the window to the left or right half of its screen's work area.
    void moveToHalf(bool rightHalf);

signals:
    void recentFileChosen(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createSplitter(QWidget* leftView, QWidget* rightView);
    void restoreBarState();
    void saveFrameSettings();
    void applyShowCommand(int showCommand);
    void switchPane();
    int frameExtraWidth() const;
    QSize defaultSize() const;

    ISettingsStore& m_store;
    FrameActions m_actions;
    QToolBar* m_toolBar;
    SearchBar* m_searchBar;
    QLabel* m_summary = nullptr;
    QSplitter* m_splitter = nullptr;
    QWidget* m_leftView = nullptr;
    QWidget* m_rightView = nullptr;
    QList<QAction*> m_recentActions;
    bool m_submatrixShown = false;
    int m_submatrixWidth = kDefaultSubmatrixWidth;
};
