#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace bustest {

inline constexpr int kWaitMs = 30000;

// Runs the event loop until done() holds or the wait runs out; the answer is done()'s last.
inline bool waitFor(const std::function<bool()>& done, int milliseconds = kWaitMs) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

struct Outcome {
    int exitCode = -1;
    QStringList lines;  // standard output
    QString errors;     // standard error
};

inline std::string describe(const Outcome& outcome) {
    return "exit " + std::to_string(outcome.exitCode) + ", out [" +
           outcome.lines.join("|").toStdString() + "], err [" + outcome.errors.toStdString() +
           "]";
}

// Starts instances and clients with their own settings and data folders, and kills every
// process still running when the test ends.
class BusTest : public ::testing::Test {
protected:
    BusTest() {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("QT_QPA_PLATFORM", "offscreen");
        m_environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder / "config"));
        m_environment.insert("XDG_DATA_HOME", QString::fromStdString(folder / "data"));
        m_environment.insert("NORVA_PROGRAM", NORVA_PROGRAM_PATH);
        m_environment.insert("ODBCINI", QString::fromStdString(writeOdbcIni()));
    }
    ~BusTest() override {
        for (qint64 pid : m_instancePids) ::kill(static_cast<pid_t>(pid), SIGKILL);
        for (auto& process : m_processes) {
            process->kill();
            process->waitForFinished(kWaitMs);
        }
    }

    static QDBusConnection bus() { return QDBusConnection::sessionBus(); }
    static bool nameOwned(const QString& name) {
        return bus().interface()->isServiceRegistered(name).value();
    }
    static bool processRuns(qint64 pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0; }

    void setEnvironment(const QString& name, const QString& value) {
        m_environment.insert(name, value);
    }

    // One norva-automate session; the event loop keeps running, so an object served by this
    // test program answers it.
    Outcome automate(const QStringList& arguments) {
        QProcess& process = track(NORVA_AUTOMATE_PATH, arguments);
        Outcome outcome;
        if (!waitFor([&process] { return process.state() == QProcess::NotRunning; })) {
            ADD_FAILURE() << "norva-automate did not finish";
            return outcome;
        }
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        outcome.lines = out.split('\n');
        if (outcome.lines.last().isEmpty()) outcome.lines.removeLast();
        outcome.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return outcome;
    }

    // Remembers the pid behind a printed per-process name, so that teardown can end it.
    void adopt(const QString& busName) {
        m_instancePids.push_back(busName.section(".p", -1).toLongLong());
    }

    // norva with arguments that end it (--register, --unregister); its exit code.
    int runNorva(const QStringList& arguments) {
        QProcess& process = track(NORVA_PROGRAM_PATH, arguments);
        return process.waitForFinished(kWaitMs) ? process.exitCode() : -1;
    }

    // A norva --automation of this test, reachable once its name is on the bus.
    QProcess* startInstance() {
        QProcess& process = track(NORVA_PROGRAM_PATH, {"--automation"});
        const QString name = QString("Norva.Document.p%1").arg(process.processId());
        if (!waitFor([&] { return nameOwned(name) || process.state() == QProcess::NotRunning; }) ||
            !nameOwned(name)) {
            ADD_FAILURE() << "norva --automation did not appear: "
                          << process.readAllStandardError().toStdString();
            return nullptr;
        }
        return &process;
    }

    static QString nameOf(const QProcess& instance) {
        return QString("Norva.Document.p%1").arg(instance.processId());
    }

    testsupport::TempFolder folder;

private:
    QProcess& track(const QString& program, const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(m_environment);
        process->start(program, arguments);
        if (!process->waitForStarted(kWaitMs)) ADD_FAILURE() << "cannot start " << program.toStdString();
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    std::string writeOdbcIni() {
        return folder.write("odbc.ini", "[NorvaResults]\nDriver=SQLite3\nDatabase=" +
                                            std::string(NORVA_EXAMPLES_DIR) + "/Results.mdb\n");
    }

    QProcessEnvironment m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::vector<qint64> m_instancePids;
};

}  // namespace bustest
