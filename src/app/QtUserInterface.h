#pragma once

#include <QPointer>
#include <QWidget>

#include "IUserInterface.h"

class QStatusBar;

// Shows the core's messages in the desktop program: modal message boxes with an exclamation
// icon over the main window, status-bar text, the system beep and the wait cursor. Texts pass
// through the translator, so a language file can replace them.
class QtUserInterface : public IUserInterface {
public:
    void messageBox(const std::string& caption, const std::string& text) override;
    void statusText(const std::string& text) override;
    void beep() override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

    // The window that owns message boxes and whose status bar shows status text; may be null.
    void setMainWindow(QWidget* window, QStatusBar* statusBar);
    // Under automation a box must not hold the client's call until someone clicks it: boxes
    // then stay up without blocking, and each message goes to standard error for the
    // caller's logs as well.
    void setNonBlocking(bool nonBlocking) { m_nonBlocking = nonBlocking; }

private:
    QPointer<QWidget> m_window;
    QPointer<QStatusBar> m_statusBar;
    int m_waitDepth = 0;
    bool m_nonBlocking = false;
};
