#include "QtUserInterface.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStatusBar>
#include <cstdio>

#include "AppStrings.h"

void QtUserInterface::messageBox(const std::string& caption, const std::string& text) {
    if (m_nonBlocking) {
        std::fprintf(stderr, "norva: %s: %s\n", caption.c_str(), text.c_str());
        auto* box =
            new QMessageBox(QMessageBox::Warning, appstrings::translated(caption.c_str()),
                            appstrings::translated(text.c_str()), QMessageBox::Ok, m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        return;
    }
    QMessageBox box(QMessageBox::Warning, appstrings::translated(caption.c_str()),
                    appstrings::translated(text.c_str()), QMessageBox::Ok, m_window);
    // A wait cursor would otherwise hide that the box waits for the user.
    if (m_waitDepth > 0) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (m_waitDepth > 0) QGuiApplication::restoreOverrideCursor();
}

void QtUserInterface::statusText(const std::string& text) {
    if (m_statusBar) m_statusBar->showMessage(appstrings::translated(text.c_str()));
}

void QtUserInterface::beep() { QApplication::beep(); }

void QtUserInterface::beginWaitCursor() {
    ++m_waitDepth;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::endWaitCursor() {
    if (m_waitDepth == 0) return;
    --m_waitDepth;
    QGuiApplication::restoreOverrideCursor();
}

void QtUserInterface::setMainWindow(QWidget* window, QStatusBar* statusBar) {
    m_window = window;
    m_statusBar = statusBar;
}
