#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's commands, as menus, toolbar and keys share them. Commands whose work
// belongs to parts not built yet exist and stay disabled; Copy and Print are enabled by the
// view that can copy or print. Ctrl+S is bound to nothing: the opened file is never
// written.
struct FrameActions {
    QAction* fileNew = nullptr;  // Ctrl+N only, no menu item
    QAction* open = nullptr;
    QAction* openSolution = nullptr;
    QAction* print = nullptr;
    QAction* printSetup = nullptr;
    QAction* recentPlaceholder = nullptr;  // "Recent File", grey while the list is empty
    QAction* recentEnd = nullptr;          // the separator after the recent-file entries
    QAction* exit = nullptr;
    QAction* undo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* find = nullptr;
    QAction* findNext = nullptr;
    QAction* findPrevious = nullptr;
    QAction* toolbarToggle = nullptr;
    QAction* statusBarToggle = nullptr;
    QAction* searchBarToggle = nullptr;
    QAction* leftHalf = nullptr;
    QAction* rightHalf = nullptr;
    QAction* programOptions = nullptr;
    QAction* helpTopics = nullptr;
    QAction* contextHelp = nullptr;   // F1
    QAction* whatsThis = nullptr;     // Shift+F1
    QAction* nextPane = nullptr;      // F6
    QAction* previousPane = nullptr;  // Shift+F6
    QAction* support = nullptr;
    QAction* about = nullptr;
    QMenu* fileMenu = nullptr;
};

// Makes the actions, the menu bar and the toolbar's buttons of window. toolBar and searchBar
// must exist: their show/hide actions join the View menu.
FrameActions createFrameActions(QMainWindow& window, QToolBar& toolBar, QToolBar& searchBar);
