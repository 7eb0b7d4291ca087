#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariant>

#include "AutomateCommands.h"

// One client session with a Norva instance: reach it (started or attached), run the commands
// in order printing one line per result, and stop at the first error.
class AutomateSession {
public:
    explicit AutomateSession(const QDBusConnection& bus) : m_bus(bus) {}

    // Returns the process's exit code; errors go to standard error.
    int run(const AutomateRequest& request);

private:
    bool startInstance();
    bool attach(const QString& busName);
    bool printProcessName();
    bool runCommand(const AutomateCommand& command);
    QVariant argumentValue(AutomationType type, const std::string& text,
                           const AutomationMember& member) const;
    // Sends the call; false (after saying why) on a bus error.
    bool send(const QString& interface, const QString& method, const QVariantList& arguments,
              QVariant* result);
    bool fail(const QString& message);

    QDBusConnection m_bus;
    QString m_destination;
    qint64 m_processId = 0;
};
