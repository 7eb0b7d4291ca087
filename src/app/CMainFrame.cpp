#include "CMainFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "ScreenHalf.h"
#include "SearchBar.h"

namespace {

constexpr SettingsScope kProfile = SettingsScope::kProfile;
constexpr const char* kBarStateSection = "Frame/X";
constexpr int kLeftPaneWidth = 510;
constexpr int kPaneHeight = 125;

}  // namespace

CMainFrame::CMainFrame(ISettingsStore& store, QWidget* leftView, QWidget* rightView,
                       QWidget* parent)
    : QMainWindow(parent),
      m_store(store),
      m_toolBar(new QToolBar(tr("Toolbar"), this)),
      m_searchBar(new SearchBar(this)) {
    setWindowTitle(tr("Norva - Matrix Analysis Program"));
    m_toolBar->setObjectName("ToolBar");
    m_toolBar->setIconSize(QSize(16, 15));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // The search bar docks in its own row, so the two bars never set a minimum window width.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_searchBar);
    // A normal status-bar widget: hidden while a message is shown, back when it is cleared.
    m_summary = new QLabel(this);
    m_summary->setObjectName("modelSummary");
    statusBar()->addWidget(m_summary, 1);
    m_actions = createFrameActions(*this, *m_toolBar, *m_searchBar);
    connect(m_actions.leftHalf, &QAction::triggered, this, [this] { moveToHalf(false); });
    connect(m_actions.rightHalf, &QAction::triggered, this, [this] { moveToHalf(true); });
    connect(m_actions.nextPane, &QAction::triggered, this, [this] { switchPane(); });
    connect(m_actions.previousPane, &QAction::triggered, this, [this] { switchPane(); });
    connect(m_searchBar->viewSubmatrix(), &QCheckBox::toggled, this, &CMainFrame::showSubmatrix);
    restoreBarState();
    createSplitter(leftView, rightView);
    // Dropped files are not opened.
    setAcceptDrops(false);
}

void CMainFrame::createSplitter(QWidget* leftView, QWidget* rightView) {
    m_submatrixWidth =
        m_store.getInteger(kProfile, "Options", "SubmatrixSizeDiff", kDefaultSubmatrixWidth);
    if (m_submatrixWidth < kMinimumSubmatrixWidth) m_submatrixWidth = kDefaultSubmatrixWidth;
    m_submatrixShown = m_store.getInteger(kProfile, "Options", "EnabledSubmatrix", 0) != 0;

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_leftView = leftView;
    m_rightView = rightView != nullptr ? rightView : new QWidget;
    m_splitter->addWidget(m_leftView);
    m_splitter->addWidget(m_rightView);
    // Widening the window goes to the submatrix; narrowing takes from it first.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setCollapsible(1, true);
    m_splitter->setSizes({kLeftPaneWidth, m_submatrixWidth});
    m_leftView->resize(kLeftPaneWidth, kPaneHeight);
    setCentralWidget(m_splitter);
}

void CMainFrame::restoreBarState() {
    const std::string state = m_store.getString(kProfile, kBarStateSection, "State", "");
    if (!state.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
    const bool statusShown = m_store.getInteger(kProfile, kBarStateSection, "StatusBar", 1) != 0;
    m_actions.statusBarToggle->setChecked(statusShown);
    statusBar()->setVisible(statusShown);
}

void CMainFrame::showAtStoredPlacement(int requestedShowCommand) {
    const auto placement =
        parseWindowPlacement(m_store.getString(kProfile, "Frame", "WindowPos", ""));
    if (!placement) {
        const QSize size = defaultSize();
        const int rightWidth = m_submatrixShown ? m_submatrixWidth : kNarrowExtra;
        m_splitter->setSizes({size.width() - rightWidth, rightWidth});
        resize(size);
        applyShowCommand(requestedShowCommand);
        return;
    }
    const int width = placement->right - placement->left;
    const int height = placement->bottom - placement->top;
    if (width > 0 && height > 0) setGeometry(placement->left, placement->top, width, height);
    applyShowCommand(restoreShowCommand(*placement, requestedShowCommand));
}

void CMainFrame::applyShowCommand(int showCommand) {
    switch (showCommand) {
        case WindowPlacement::kShowMaximized:
            showMaximized();
            return;
        case WindowPlacement::kShowMinimized:
            showMinimized();
            return;
        default:
            showNormal();
            return;
    }
}

WindowPlacement CMainFrame::currentPlacement() const {
    WindowPlacement placement;
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) {
        placement.showCommand = WindowPlacement::kShowMinimized;
        if (state & Qt::WindowMaximized) placement.flags |= WindowPlacement::kRestoreToMaximized;
    } else if (state & Qt::WindowMaximized) {
        placement.showCommand = WindowPlacement::kShowMaximized;
    }
    QRect normal = state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)
                       ? normalGeometry()
                       : geometry();
    if (normal.isEmpty()) normal = geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    return placement;
}

void CMainFrame::setRecentFiles(const std::vector<std::string>& paths) {
    for (QAction* action : m_recentActions) {
        m_actions.fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    m_actions.recentPlaceholder->setVisible(paths.empty());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // Entries are shown whole, never shortened.
        const QString text = QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(paths[i]));
        auto* action = new QAction(text, this);
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this, [this, index] { emit recentFileChosen(index); });
        m_actions.fileMenu->insertAction(m_actions.recentEnd, action);
        m_recentActions.append(action);
    }
}

// With no stored placement the window opens around the size the detail form asks for, and
// the submatrix's width or the narrow strip beside it; the bars add their own height. It never
// opens larger than the screen's work area.
QSize CMainFrame::defaultSize() const {
    QSize form = m_leftView->sizeHint();
    if (!form.isValid()) form = m_leftView->size();
    const int barsHeight = sizeHint().height() - m_splitter->sizeHint().height();
    const int width = form.width() + (m_submatrixShown ? m_submatrixWidth : kNarrowExtra);
    QSize size(width, form.height() + std::max(barsHeight, 0));
    if (const QScreen* current = screen())
        size = size.boundedTo(current->availableGeometry().size());
    return size;
}

void CMainFrame::setModelSummary(const QString& text) { m_summary->setText(text); }

QString CMainFrame::modelSummary() const { return m_summary->text(); }

int CMainFrame::frameExtraWidth() const { return frameGeometry().width() - geometry().width(); }

void CMainFrame::showSubmatrix(bool shown) {
    const int outerWidth = m_leftView->width() + (shown ? m_submatrixWidth : kNarrowExtra);
    resize(outerWidth - frameExtraWidth(), height());
    m_submatrixShown = shown;
}

void CMainFrame::moveToHalf(bool rightHalf) {
    if (isMinimized()) return;
    if (isMaximized()) showNormal();
    QScreen* current = screen();
    if (current == nullptr) return;
    const QRect target = halfOfWorkArea(current->availableGeometry(), rightHalf);
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins margins(inner.left() - outer.left(), inner.top() - outer.top(),
                           outer.right() - inner.right(), outer.bottom() - inner.bottom());
    setGeometry(target.marginsRemoved(margins));
}

void CMainFrame::switchPane() {
    // With two panes, the next and the previous pane are the same one.
    QWidget* focused = focusWidget();
    const bool inRight =
        focused != nullptr && (focused == m_rightView || m_rightView->isAncestorOf(focused));
    m_splitter->widget(inRight ? 0 : 1)->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::saveFrameSettings() {
    m_submatrixWidth = frameGeometry().width() - m_leftView->width();
    m_store.writeInteger(kProfile, "Options", "EnabledSubmatrix", m_submatrixShown ? 1 : 0);
    m_store.writeInteger(kProfile, "Options", "SubmatrixSizeDiff", m_submatrixWidth);
    m_store.writeString(kProfile, "Frame", "WindowPos", formatWindowPlacement(currentPlacement()));
    m_store.writeString(kProfile, kBarStateSection, "State", saveState().toBase64().toStdString());
    m_store.writeInteger(kProfile, kBarStateSection, "StatusBar",
                         m_actions.statusBarToggle->isChecked() ? 1 : 0);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    saveFrameSettings();
    QMainWindow::closeEvent(event);
}
