#include "AutomateSession.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kObjectPath = "/Document";
constexpr const char* kInterface = "Norva.Document";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
// An open reads the whole matrix and its results database before it answers.
constexpr int kCallTimeoutMs = 10 * 60 * 1000;
constexpr int kStartTimeoutMs = 60 * 1000;

QString processBusName(qint64 pid) { return QString("Norva.Document.p%1").arg(pid); }

// The program to start: $NORVA_PROGRAM, else norva beside this tool, else norva on the PATH.
QString programPath() {
    const QString configured = qEnvironmentVariable("NORVA_PROGRAM");
    if (!configured.isEmpty()) return configured;
    const QString beside = QCoreApplication::applicationDirPath() + "/norva";
    if (QFileInfo(beside).isExecutable()) return beside;
    return QStandardPaths::findExecutable("norva");
}

// Booleans as true/false and doubles as %.15g in every locale, strings as they are.
QString formatted(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<bool>()) return value.toBool() ? "true" : "false";
    if (value.metaType() == QMetaType::fromType<double>()) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value.toDouble(),
                                       std::chars_format::general, 15);
        return QString::fromLatin1(text, static_cast<int>(end.ptr - text));
    }
    return value.toString();
}

void printLine(const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int AutomateSession::run(const AutomateRequest& request) {
    if (!m_bus.isConnected()) {
        fail("cannot reach the session bus: " + m_bus.lastError().message());
        return 1;
    }
    const bool reached = request.attachTo.empty()
                             ? startInstance()
                             : attach(QString::fromStdString(request.attachTo));
    if (!reached) return 1;
    if (request.printName && !printProcessName()) return 1;
    for (const AutomateCommand& command : request.commands)
        if (!runCommand(command)) return 1;
    return 0;
}

bool AutomateSession::startInstance() {
    const QString program = programPath();
    if (program.isEmpty())
        return fail(
            "cannot find the norva program (set NORVA_PROGRAM or put norva beside "
            "norva-automate)");
    QProcess process;
    process.setProgram(program);
    process.setArguments({"--automation"});
    // The instance may outlive this session; it must not hold the caller's output open.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached(&m_processId))
        return fail("cannot start " + program + ": " + process.errorString());
    m_destination = processBusName(m_processId);
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!m_bus.interface()->isServiceRegistered(m_destination).value()) {
        if (::kill(static_cast<pid_t>(m_processId), 0) != 0)
            return fail(program + " --automation ended before it appeared on the session bus");
        if (deadline.hasExpired())
            return fail(program + " --automation did not appear on the session bus as " +
                        m_destination);
        QThread::msleep(20);
    }
    return true;
}

bool AutomateSession::attach(const QString& busName) {
    const QDBusReply<uint> pid = m_bus.interface()->servicePid(busName);
    if (!pid.isValid()) return fail("no instance owns the bus name " + busName);
    m_destination = busName;
    m_processId = pid.value();
    return true;
}

bool AutomateSession::printProcessName() {
    printLine(processBusName(m_processId));
    return true;
}

QVariant AutomateSession::argumentValue(AutomationType type, const std::string& text,
                                        const AutomationMember& member) const {
    if (type == AutomationType::kBool) return QVariant(text == "true");
    QString value = QString::fromStdString(text);
    // The instance has its own working folder, so a relative path is this caller's.
    if (std::string_view(member.name) == "OpenDocument" && !value.isEmpty())
        value = QFileInfo(value).absoluteFilePath();
    return QVariant(value);
}

bool AutomateSession::runCommand(const AutomateCommand& command) {
    const AutomationMember& member = *command.member;
    const QString name = QString::fromLatin1(member.name);
    QVariant result;
    switch (command.kind) {
        case AutomateCommand::Kind::kGet:
            if (!send(kProperties, "Get", {kInterface, name}, &result)) return false;
            printLine(formatted(qvariant_cast<QDBusVariant>(result).variant()));
            return true;
        case AutomateCommand::Kind::kSet: {
            const QVariant value = argumentValue(member.type, command.values[0], member);
            return send(kProperties, "Set",
                        {kInterface, name, QVariant::fromValue(QDBusVariant(value))}, nullptr);
        }
        case AutomateCommand::Kind::kCall: {
            QVariantList arguments;
            for (int i = 0; i < member.argumentCount(); ++i)
                arguments.append(argumentValue(
                    member.arguments[i], command.values[static_cast<std::size_t>(i)], member));
            if (!send(kInterface, name, arguments, &result)) return false;
            if (member.type != AutomationType::kNone) printLine(formatted(result));
            return true;
        }
    }
    return false;
}

bool AutomateSession::send(const QString& interface, const QString& method,
                           const QVariantList& arguments, QVariant* result) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(m_destination, kObjectPath, interface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) return fail(reply.errorMessage());
    if (result != nullptr && !reply.arguments().isEmpty()) *result = reply.arguments().first();
    return true;
}

bool AutomateSession::fail(const QString& message) {
    std::fprintf(stderr, "norva-automate: %s\n", message.toLocal8Bit().constData());
    return false;
}
