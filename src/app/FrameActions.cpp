#include "FrameActions.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

namespace {

QAction* makeAction(QMainWindow& window, const QString& text, const QList<QKeySequence>& keys = {},
                    const QString& statusTip = {}) {
    auto* action = new QAction(text, &window);
    action->setShortcuts(keys);
    action->setStatusTip(statusTip);
    // Window-wide, so the keys work whichever pane has the focus.
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

QAction* makeDisabled(QMainWindow& window, const QString& text,
                      const QList<QKeySequence>& keys = {}) {
    QAction* action = makeAction(window, text, keys);
    action->setEnabled(false);
    return action;
}

// Every toolbar button takes the desktop theme's icon; a button whose icon the theme lacks
// shows its text instead (a tool button without an icon does), never an unrelated style icon.
void setThemeIcon(QAction* action, const char* themeName) {
    action->setIcon(QIcon::fromTheme(themeName));
}

// Without a desktop session Qt knows no icon theme but hicolor, which has no action icons;
// the default theme of Debian's desktops stands in where it is installed.
void useDesktopFallbackTheme() {
    const QString fallback = QIcon::fallbackThemeName();
    if (fallback.isEmpty() || fallback == "hicolor") QIcon::setFallbackThemeName("Adwaita");
}

void makeFileActions(QMainWindow& window, FrameActions& a) {
    a.fileNew = makeAction(window, QObject::tr("&New"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
    a.open = makeAction(window, QObject::tr("&Open..."), {QKeySequence(Qt::CTRL | Qt::Key_O)},
                        QObject::tr("Open an existing matrix file"));
    a.openSolution = makeAction(window, QObject::tr("Open &Solution..."), {},
                                QObject::tr("Open an existing KNLP_Solution.xxx File"));
    a.openSolution->setEnabled(false);
    a.print = makeDisabled(window, QObject::tr("&Print..."), {QKeySequence(Qt::CTRL | Qt::Key_P)});
    a.print->setStatusTip(QObject::tr("Print the active row or column"));
    a.print->setToolTip(QObject::tr("Print (Ctrl+P)"));
    a.printSetup = makeAction(window, QObject::tr("P&rint Setup..."), {},
                              QObject::tr("Change the printer and printing options"));
    a.recentPlaceholder = makeDisabled(window, QObject::tr("Recent File"));
    a.exit = makeAction(window, QObject::tr("E&xit"), {}, QObject::tr("Quit the application"));
    QObject::connect(a.exit, &QAction::triggered, &window, &QWidget::close);
    setThemeIcon(a.open, "document-open");
    setThemeIcon(a.openSolution, "document-open-recent");
    setThemeIcon(a.print, "document-print");
}

void makeEditActions(QMainWindow& window, FrameActions& a) {
    a.undo = makeDisabled(
        window, QObject::tr("&Undo"),
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a.cut = makeDisabled(
        window, QObject::tr("Cu&t"),
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a.copy =
        makeDisabled(window, QObject::tr("&Copy"),
                     {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a.paste = makeDisabled(
        window, QObject::tr("&Paste"),
        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    a.find = makeAction(window, QObject::tr("&Find..."),
                        {QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::ALT | Qt::Key_F3)},
                        QObject::tr("Find the specified text"));
    a.find->setToolTip(QObject::tr("Find (Ctrl+F)"));
    a.findNext = makeAction(window, QObject::tr("Find &Next"), {QKeySequence(Qt::Key_F3)},
                            QObject::tr("Find the next occurence of the specified text"));
    a.findNext->setToolTip(QObject::tr("Find Next (F3)"));
    a.findPrevious =
        makeAction(window, QObject::tr("Find &Previous"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)},
                   QObject::tr("Find the previous occurence of the specified text"));
    a.findPrevious->setToolTip(QObject::tr("Find Previous (Shift+F3)"));
    setThemeIcon(a.cut, "edit-cut");
    setThemeIcon(a.copy, "edit-copy");
    setThemeIcon(a.paste, "edit-paste");
    setThemeIcon(a.find, "edit-find");
    setThemeIcon(a.findNext, "go-down");
    setThemeIcon(a.findPrevious, "go-up");
}

void makeViewActions(QMainWindow& window, QToolBar& toolBar, QToolBar& searchBar, FrameActions& a) {
    a.toolbarToggle = toolBar.toggleViewAction();
    a.toolbarToggle->setText(QObject::tr("&Toolbar"));
    a.toolbarToggle->setStatusTip(QObject::tr("Show or hide the toolbar"));
    a.toolbarToggle->setToolTip(QObject::tr("Toggle ToolBar"));
    a.statusBarToggle = makeAction(window, QObject::tr("&Status Bar"), {},
                                   QObject::tr("Show or hide the status bar"));
    a.statusBarToggle->setToolTip(QObject::tr("Toggle StatusBar"));
    a.statusBarToggle->setCheckable(true);
    a.statusBarToggle->setChecked(true);
    QObject::connect(a.statusBarToggle, &QAction::toggled, window.statusBar(),
                     &QWidget::setVisible);
    a.searchBarToggle = searchBar.toggleViewAction();
    a.searchBarToggle->setText(QObject::tr("S&earch Bar"));
    a.searchBarToggle->setStatusTip(QObject::tr("Show or hide Search Bar"));
    a.searchBarToggle->setToolTip(QObject::tr("Toggle Search Bar"));
    a.leftHalf =
        makeAction(window, QObject::tr("&Left Half"), {QKeySequence(Qt::CTRL | Qt::Key_L)});
    a.rightHalf =
        makeAction(window, QObject::tr("&Right Half"), {QKeySequence(Qt::CTRL | Qt::Key_R)});
    a.programOptions = makeAction(window, QObject::tr("Program &Options..."));
    a.programOptions->setStatusTip(QObject::tr("Modify system wide options"));
    a.nextPane = makeAction(window, QObject::tr("Next Pane"), {QKeySequence(Qt::Key_F6)});
    a.previousPane =
        makeAction(window, QObject::tr("Previous Pane"), {QKeySequence(Qt::SHIFT | Qt::Key_F6)});
}

void makeHelpActions(QMainWindow& window, FrameActions& a) {
    a.helpTopics =
        makeAction(window, QObject::tr("&Help Topics"), {}, QObject::tr("List Help topics"));
    a.contextHelp = makeAction(window, QObject::tr("Help"), {QKeySequence(Qt::Key_F1)});
    a.whatsThis =
        makeAction(window, QObject::tr("What's This?"), {QKeySequence(Qt::SHIFT | Qt::Key_F1)});
    QObject::connect(a.whatsThis, &QAction::triggered, [] { QWhatsThis::enterWhatsThisMode(); });
    a.support = makeAction(window, QObject::tr("Product Support on the &Web"));
    a.about = makeAction(window, QObject::tr("&About Norva"), {},
                         QObject::tr("Display program information, version number and copyright"));
}

void buildMenus(QMainWindow& window, FrameActions& a) {
    QMenuBar* bar = window.menuBar();
    a.fileMenu = bar->addMenu(QObject::tr("&File"));
    a.fileMenu->addActions({a.open, a.openSolution});
    a.fileMenu->addSeparator();
    a.fileMenu->addActions({a.print, a.printSetup});
    a.fileMenu->addSeparator();
    a.fileMenu->addAction(a.recentPlaceholder);
    a.recentEnd = a.fileMenu->addSeparator();
    a.fileMenu->addAction(a.exit);

    QMenu* edit = bar->addMenu(QObject::tr("&Edit"));
    edit->addAction(a.undo);
    edit->addSeparator();
    edit->addActions({a.cut, a.copy, a.paste});
    edit->addSeparator();
    edit->addActions({a.find, a.findNext, a.findPrevious});

    QMenu* view = bar->addMenu(QObject::tr("&View"));
    view->addActions({a.toolbarToggle, a.statusBarToggle, a.searchBarToggle});
    view->addSeparator();
    view->addActions({a.leftHalf, a.rightHalf});

    bar->addMenu(QObject::tr("&Tools"))->addAction(a.programOptions);

    QMenu* help = bar->addMenu(QObject::tr("&Help"));
    help->addActions({a.helpTopics, a.support});
    help->addSeparator();
    help->addAction(a.about);
}

}  // namespace

FrameActions createFrameActions(QMainWindow& window, QToolBar& toolBar, QToolBar& searchBar) {
    FrameActions actions;
    useDesktopFallbackTheme();
    makeFileActions(window, actions);
    makeEditActions(window, actions);
    makeViewActions(window, toolBar, searchBar, actions);
    makeHelpActions(window, actions);
    buildMenus(window, actions);
    toolBar.addActions({actions.open, actions.openSolution});
    toolBar.addSeparator();
    toolBar.addAction(actions.print);
    toolBar.addSeparator();
    toolBar.addActions({actions.cut, actions.copy, actions.paste});
    toolBar.addSeparator();
    toolBar.addActions({actions.find, actions.findNext, actions.findPrevious});
    return actions;
}
