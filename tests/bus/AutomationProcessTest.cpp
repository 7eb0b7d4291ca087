// The real program started for automation, driven by norva-automate sessions.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <clocale>
#include <cstdio>

#include "BusTestSupport.h"
#include "ProgramVersion.h"

namespace {

using bustest::describe;
using bustest::Outcome;
using bustest::processRuns;
using bustest::waitFor;

using AutomationProcessTest = bustest::BusTest;

// Kept by SetUserCtrl(true) after its first client; ended, with its settings written, after
// the second one, reached through the well-known name, has let go without it.
TEST_F(AutomationProcessTest, StaysForTheUserOrEndsAfterItsLastClient) {
    const Outcome first =
        automate({"--print-name", "call", "SetUserCtrl", "true", "call", "GetUserCtrl"});
    ASSERT_EQ(first.lines.size(), 2) << describe(first);
    adopt(first.lines[0]);
    EXPECT_EQ(first.lines[1], "true");
    const Outcome again = automate({"--attach", "Norva.Document", "--print-name", "call",
                                    "GetUserCtrl", "call", "SetUserCtrl", "false", "call",
                                    "GetUserCtrl", "call", "SetLoomProcessName", "LoomBox"});
    EXPECT_EQ(again.lines, QStringList({first.lines[0], "true", "false"})) << describe(again);
    const qint64 pid = bustest::pidOf(first.lines[0]);
    EXPECT_TRUE(waitFor([pid] { return !processRuns(pid); }));
    QFile profile(QString::fromStdString(folder / "config/Orvane/Norva.ini"));
    ASSERT_TRUE(profile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(profile.readAll().contains("LoomProcessName=LoomBox"));
}

TEST_F(AutomationProcessTest, GetVersionIsMajorDotMinorUnderEveryLocale) {
    int major = -1, minor = -1;
    ASSERT_EQ(std::sscanf(programVersionText(), "%d.%d", &major, &minor), 2);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        if (newlocale(LC_NUMERIC_MASK, locale, nullptr) == nullptr)
            GTEST_SKIP() << locale << " is not installed; scripts/install-deps.sh makes it";
        setEnvironment("LC_ALL", locale);
        const Outcome outcome = automate({"call", "GetVersion"});
        EXPECT_EQ(outcome.lines, QStringList{QString("%1.%2").arg(major).arg(minor)})
            << describe(outcome);
    }
}

TEST_F(AutomationProcessTest, AMissingFileIsReportedByTheInstanceWithoutHoldingTheCall) {
    QProcess* instance = startInstance();
    ASSERT_TRUE(instance != nullptr && startInstance() != nullptr);  // a second one, unnamed
    EXPECT_EQ(QDBusConnection::sessionBus().interface()->servicePid("Norva.Document").value(),
              instance->processId());
    const Outcome outcome =
        automate({"--attach", nameOf(*instance), "call", "OpenDocument", "missing.mps"});
    EXPECT_EQ(outcome.lines, QStringList{"false"}) << describe(outcome);
    ASSERT_TRUE(waitFor([instance] { return instance->state() == QProcess::NotRunning; }));
    // The client made the path absolute in its own folder.
    const QString errors = QString::fromLocal8Bit(instance->readAllStandardError());
    EXPECT_TRUE(errors.contains("norva: Error: ")) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QDir::currentPath() + "/missing.mps")) << errors.toStdString();
}

TEST_F(AutomationProcessTest, MistakesAreReportedAndNothingIsLeftRunning) {
    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        // clang-format off
        {{}, 2, "no command given"},
        {{"--verbose", "get", "TARN"}, 2, "unknown option \"--verbose\""},
        {{"get", "Nothing"}, 2, "\"Nothing\" is no member of Norva.Document"},
        {{"call", "TARN"}, 2, "TARN is a property: use get or set"},
        {{"set", "TARN", "yes"}, 2, "TARN: \"yes\" is not a boolean (true or false)"},
        {{"call", "UpdateSearchAndDisplay", "X01"}, 2, "UpdateSearchAndDisplay needs a boolean"},
        {{"--attach", "Norva.Document.p1", "get", "TARN"}, 1, "no instance owns the bus name"},
        // clang-format on
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.arguments.join(' ').toStdString());
        const Outcome outcome = automate(test.arguments);
        EXPECT_EQ(outcome.exitCode, test.exitCode) << describe(outcome);
        EXPECT_TRUE(outcome.errors.startsWith(QString("norva-automate: ") + test.message))
            << describe(outcome);
    }
    setEnvironment("NORVA_PROGRAM", QString::fromStdString(folder / "no-such-norva"));
    const Outcome outcome = automate({"get", "TARN"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.errors.contains("cannot start")) << describe(outcome);
    EXPECT_FALSE(bustest::nameOwned("Norva.Document"));
}

}  // namespace
