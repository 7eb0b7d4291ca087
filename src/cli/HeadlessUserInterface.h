#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "IUserInterface.h"

// What the desktop program would show in message boxes goes to a stream (standard error),
// one "Caption: text" block per message, and is kept for the caller to inspect; status text
// and beeps have no one to see them.
class HeadlessUserInterface : public IUserInterface {
public:
    explicit HeadlessUserInterface(std::FILE* out = stderr) : m_out(out) {}

    void messageBox(const std::string& caption, const std::string& text) override;
    void statusText(const std::string&) override {}
    void beep() override {}

    const std::vector<std::string>& messages() const { return m_messages; }

private:
    std::FILE* m_out;
    std::vector<std::string> m_messages;
};
