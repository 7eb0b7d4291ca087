#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDir>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "IUserInterface.h"
#include "TempFolder.h"

namespace apptest {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = ::getenv(name)) m_previous = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (m_previous)
            ::setenv(m_name, m_previous->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_previous;
};

// Every message, with its caption, and the wait-cursor balance.
class MessageLog : public RecordingUserInterface {
public:
    void messageBox(const std::string& caption, const std::string& text) override {
        RecordingUserInterface::messageBox(caption, text);
        all.push_back(caption + "|" + text);
        if (whileShown) whileShown();
    }
    void beginWaitCursor() override { ++waitDepth; }
    void endWaitCursor() override { --waitDepth; }
    std::vector<std::string> all;
    int waitDepth = 0;
    // Runs while a box is up, as a real box's event loop repaints the windows behind it.
    std::function<void()> whileShown;
};

// Puts back the working directory the application moves to each opened file's folder. Declare it
// after the temporary folder and before the application, so the application ends first.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : m_previous(QDir::currentPath()) {}
    ~CurrentDirectoryGuard() { QDir::setCurrent(m_previous); }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    QString m_previous;
};

inline QString qt(const std::string& text) { return QString::fromStdString(text); }

// A small model whose file order differs from name order: row LIM has coefficients of both
// signs, row POS only positive ones and a positive RHS, row ONLY one positive coefficient and
// no RHS, so it lacks a negative entry.
inline constexpr const char* kSmallMps = R"(NAME          SMALL
ROWS
 N  COST
 L  LIM
 G  POS
 G  ONLY
COLUMNS
    Y         COST      2          LIM       -1.5
    Y         POS       1
    X         COST      1          LIM       4
    X         POS       3          ONLY      1
RHS
    RHS       LIM       10         POS       2
BOUNDS
 UP BND       X         6
ENDATA
)";

}  // namespace apptest
