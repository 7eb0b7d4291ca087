#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "TempFolder.h"
#include "TestData.h"

namespace bustest {

inline constexpr int kWaitMs = 30000;

// Runs the event loop until done() holds or the wait runs out.
inline bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kWaitMs); }

struct Outcome {
    int exitCode = -1;
    QStringList lines;  // standard output
    QString errors;
};
inline std::string describe(const Outcome& o) {
    return std::to_string(o.exitCode) + " [" + o.lines.join("|").toStdString() + "] " +
           o.errors.toStdString();
}

// The lines of a file under tests/data, '#' lines left out, each split at '|' into trimmed
// fields.
inline QList<QStringList> dataTable(const std::string& name) {
    QList<QStringList> rows;
    for (const QString& line :
         QString::fromStdString(testsupport::testData(name)).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('#')) continue;
        rows.append(QStringList());
        for (const QString& field : line.split('|')) rows.back() << field.trimmed();
    }
    return rows;
}

inline bool nameOwned(const QString& name) {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
}
inline bool processRuns(qint64 pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0; }
inline qint64 pidOf(const QString& busName) { return busName.section(".p", -1).toLongLong(); }

// Runs norva and norva-automate with settings and data folders of the test's own, and ends
// every process still running when the test ends.
class BusTest : public ::testing::Test {
protected:
    BusTest() : m_environment(QProcessEnvironment::systemEnvironment()) {
        setEnvironment("XDG_CONFIG_HOME", QString::fromStdString(folder / "config"));
        setEnvironment("XDG_DATA_HOME", QString::fromStdString(folder / "data"));
        setEnvironment("NORVA_PROGRAM", NORVA_PROGRAM_PATH);
        const std::string odbcIni =
            "[NorvaResults]\nDriver=SQLite3\nDatabase=" NORVA_EXAMPLES_DIR "/Results.mdb\n";
        setEnvironment("ODBCINI", QString::fromStdString(folder.write("odbc.ini", odbcIni)));
    }
    ~BusTest() override {
        for (qint64 pid : m_adopted) ::kill(static_cast<pid_t>(pid), SIGKILL);
        for (auto& process : m_processes) {
            process->kill();
            process->waitForFinished(kWaitMs);
        }
    }

    void setEnvironment(const QString& name, const QString& value) {
        m_environment.insert(name, value);
    }
    // Teardown ends the instance behind a printed bus name too.
    void adopt(const QString& busName) { m_adopted.push_back(pidOf(busName)); }

    // One norva-automate session; the event loop runs meanwhile, so that an object served by
    // this test program can answer it.
    Outcome automate(const QStringList& arguments) { return run(NORVA_AUTOMATE_PATH, arguments); }
    // One run of norva to its end, the event loop running meanwhile.
    Outcome norva(const QStringList& arguments) { return run(NORVA_PROGRAM_PATH, arguments); }

    // A norva --automation of this test, once its name is on the bus; null if it never is.
    QProcess* startInstance() {
        QProcess& process = start(NORVA_PROGRAM_PATH, {"--automation"});
        waitFor([&] { return nameOwned(nameOf(process)) || process.state() != QProcess::Running; });
        return nameOwned(nameOf(process)) ? &process : nullptr;
    }
    static QString nameOf(const QProcess& instance) {
        return QString("Norva.Document.p%1").arg(instance.processId());
    }

    testsupport::TempFolder folder;

private:
    Outcome run(const QString& program, const QStringList& arguments) {
        QProcess& process = start(program, arguments);
        Outcome outcome;
        EXPECT_TRUE(waitFor([&process] { return process.state() == QProcess::NotRunning; }));
        if (process.exitStatus() == QProcess::NormalExit) outcome.exitCode = process.exitCode();
        outcome.lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n');
        outcome.lines.removeLast();
        outcome.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return outcome;
    }

    QProcess& start(const QString& program, const QStringList& arguments) {
        m_processes.push_back(std::make_unique<QProcess>());
        QProcess& process = *m_processes.back();
        process.setProcessEnvironment(m_environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForStarted(kWaitMs)) << program.toStdString();
        return process;
    }

    QProcessEnvironment m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::vector<qint64> m_adopted;
};

}  // namespace bustest
