#pragma once

#include <string>

// How the core tells the user something. The desktop layer shows real message boxes and
// status text; tests and the command-line tool record or print them.
class IUserInterface {
public:
    virtual ~IUserInterface() = default;
    // A message box with an OK button and an exclamation icon; caption "Error" or "Warning".
    virtual void messageBox(const std::string& caption, const std::string& text) = 0;
    virtual void statusText(const std::string& text) = 0;
    virtual void beep() = 0;
    virtual void beginWaitCursor() {}
    virtual void endWaitCursor() {}
};

// Shows the wait cursor for as long as it lives, however the work it covers ends.
class WaitCursor {
public:
    explicit WaitCursor(IUserInterface& ui) : m_ui(ui) { m_ui.beginWaitCursor(); }
    ~WaitCursor() { m_ui.endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    IUserInterface& m_ui;
};

// Records what would have been shown; for tests and headless use.
class RecordingUserInterface : public IUserInterface {
public:
    void messageBox(const std::string& caption, const std::string& text) override {
        lastCaption = caption;
        lastMessage = text;
        ++messageCount;
    }
    void statusText(const std::string& text) override { lastStatus = text; }
    void beep() override { ++beepCount; }

    std::string lastCaption;
    std::string lastMessage;
    std::string lastStatus;
    int messageCount = 0;
    int beepCount = 0;
};
