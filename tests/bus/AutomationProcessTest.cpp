// The real program started for automation, driven by norva-automate sessions.

#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <clocale>
#include <cstdio>
#include <string>

#include "BusTestSupport.h"
#include "ProgramVersion.h"

namespace {

using bustest::describe;
using bustest::Outcome;
using bustest::waitFor;

class AutomationProcessTest : public bustest::BusTest {
protected:
    // The instance behind a printed name; teardown ends it if the test does not.
    qint64 adopted(const Outcome& outcome) {
        if (outcome.lines.isEmpty()) return 0;
        adopt(outcome.lines.first());
        return outcome.lines.first().section(".p", -1).toLongLong();
    }
    QString profile() {
        QFile file(QString::fromStdString(folder / "config/Orvane/Norva.ini"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(AutomationProcessTest, EndsAfterItsOnlyClientAndWritesItsSettings) {
    const Outcome outcome = automate(
        {"--print-name", "call", "SetLoomProcessName", "LoomBox", "call", "GetUserCtrl"});
    ASSERT_EQ(outcome.exitCode, 0) << describe(outcome);
    ASSERT_EQ(outcome.lines.size(), 2) << describe(outcome);
    EXPECT_TRUE(outcome.lines[0].startsWith("Norva.Document.p"));
    EXPECT_EQ(outcome.lines[1], "false");
    const qint64 pid = adopted(outcome);
    EXPECT_TRUE(waitFor([pid] { return !processRuns(pid); }));
    EXPECT_TRUE(profile().contains("LoomProcessName=LoomBox")) << profile().toStdString();
}

TEST_F(AutomationProcessTest, StaysAfterSetUserCtrlAndCanBeAttachedAgain) {
    const Outcome first =
        automate({"--print-name", "call", "SetUserCtrl", "true", "call", "GetUserCtrl"});
    ASSERT_EQ(first.exitCode, 0) << describe(first);
    const qint64 pid = adopted(first);
    EXPECT_EQ(first.lines.value(1), "true");
    EXPECT_TRUE(nameOwned("Norva.Document"));
    // The well-known name reaches the first instance.
    const Outcome again = automate({"--attach", "Norva.Document", "--print-name", "get", "TARN",
                                    "call", "GetUserCtrl", "call", "SetUserCtrl", "false"});
    ASSERT_EQ(again.exitCode, 0) << describe(again);
    EXPECT_EQ(again.lines, QStringList({first.lines[0], "true", "true"}));
    EXPECT_TRUE(waitFor([pid] { return !processRuns(pid); }));
}

TEST_F(AutomationProcessTest, GetVersionIsMajorDotMinorUnderEveryLocale) {
    int major = -1, minor = -1;
    ASSERT_EQ(std::sscanf(programVersionText(), "%d.%d", &major, &minor), 2);
    const QString expected = QString("%1.%2").arg(major).arg(minor);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        const bool available = std::setlocale(LC_NUMERIC, locale) != nullptr;
        std::setlocale(LC_NUMERIC, previous.c_str());
        if (!available) GTEST_SKIP() << locale << " is not installed; run scripts/install-deps.sh";
        setEnvironment("LC_ALL", locale);
        const Outcome outcome = automate({"call", "GetVersion"});
        ASSERT_EQ(outcome.exitCode, 0) << describe(outcome);
        EXPECT_EQ(outcome.lines, QStringList{expected});
    }
}

TEST_F(AutomationProcessTest, AMissingFileIsReportedByTheInstanceWithoutHoldingTheCall) {
    QProcess* instance = startInstance();
    ASSERT_NE(instance, nullptr);
    QProcess* second = startInstance();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(bus().interface()->servicePid("Norva.Document").value(), instance->processId());
    const Outcome outcome =
        automate({"--attach", nameOf(*instance), "call", "OpenDocument", "missing.mps"});
    ASSERT_EQ(outcome.exitCode, 0) << describe(outcome);
    EXPECT_EQ(outcome.lines, QStringList{"false"});
    ASSERT_TRUE(waitFor([instance] { return instance->state() == QProcess::NotRunning; }));
    // The client made the path absolute in its own folder.
    const QString errors = QString::fromLocal8Bit(instance->readAllStandardError());
    EXPECT_TRUE(errors.contains("norva: Error: ")) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QDir::currentPath() + "/missing.mps")) << errors.toStdString();
    EXPECT_EQ(second->state(), QProcess::Running);
}

TEST_F(AutomationProcessTest, CommandLineMistakesAreRefusedBeforeAnythingStarts) {
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, "no command given"},
        {{"--print-name"}, 2, "no command given"},
        {{"--attach"}, 2, "--attach needs a bus name"},
        {{"--verbose", "get", "TARN"}, 2, "unknown option \"--verbose\""},
        {{"fetch", "TARN"}, 2, "unknown command \"fetch\" (get, set or call)"},
        {{"get", "Nothing"}, 2, "\"Nothing\" is no member of Norva.Document"},
        {{"get", "OpenDocument"}, 2, "OpenDocument is a method: use call"},
        {{"call", "TARN"}, 2, "TARN is a property: use get or set"},
        {{"set", "TARN"}, 2, "TARN needs a boolean value"},
        {{"set", "TARN", "yes"}, 2, "TARN: \"yes\" is not a boolean (true or false)"},
        {{"call", "UpdateSearchAndDisplay", "X01"}, 2, "UpdateSearchAndDisplay needs a boolean"},
        {{"--attach", "Norva.Document.p1", "get", "TARN"}, 1,
         "no instance owns the bus name Norva.Document.p1"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.arguments.join(' ').toStdString());
        const Outcome outcome = automate(test.arguments);
        EXPECT_EQ(outcome.exitCode, test.exitCode) << describe(outcome);
        EXPECT_TRUE(outcome.errors.startsWith(QString("norva-automate: ") + test.message))
            << describe(outcome);
        EXPECT_TRUE(outcome.lines.isEmpty());
    }
    EXPECT_FALSE(nameOwned("Norva.Document"));
}

// --register writes the service file into the folder this test's bus reads (see
// on-session-bus.sh), so calling the well-known name starts an instance.
TEST_F(AutomationProcessTest, ARegisteredProgramIsStartedByTheBusForItsWellKnownName) {
    setEnvironment("XDG_DATA_HOME", qEnvironmentVariable("XDG_DATA_HOME"));
    ASSERT_EQ(runNorva({"--register"}), 0);
    QDBusMessage call = QDBusMessage::createMethodCall("Norva.Document", "/Document",
                                                       "Norva.Document", "GetVersion");
    const QDBusMessage reply = bus().call(call, QDBus::Block, bustest::kWaitMs);
    const qint64 pid = bus().interface()->servicePid("Norva.Document").value();
    if (pid > 0) adopt(QString("Norva.Document.p%1").arg(pid));
    EXPECT_EQ(reply.arguments().value(0), QVariant(GetVersion())) << reply.errorMessage().toStdString();
    EXPECT_EQ(runNorva({"--unregister"}), 0);
    EXPECT_FALSE(QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") +
                               "/dbus-1/services/Norva.Document.service"));
}

TEST_F(AutomationProcessTest, AProgramThatCannotStartIsReported) {
    setEnvironment("NORVA_PROGRAM", QString::fromStdString(folder / "no-such-norva"));
    const Outcome outcome = automate({"get", "TARN"});
    EXPECT_EQ(outcome.exitCode, 1) << describe(outcome);
    EXPECT_TRUE(outcome.errors.contains("cannot start")) << describe(outcome);
}

}  // namespace
