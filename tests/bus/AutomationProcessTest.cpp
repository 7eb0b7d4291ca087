#include <QDir>
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
    EXPECT_NE(
        testsupport::fileText(folder / "config/Orvane/Norva.ini").find("LoomProcessName=LoomBox"),
        std::string::npos);
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
    const QList<QStringList> lines = bustest::dataTable("bus/automate-mistakes.txt");
    ASSERT_EQ(lines.size(), 7);
    for (const QStringList& f : lines) {
        SCOPED_TRACE(f.join(" | ").toStdString());
        const Outcome outcome = automate(f[2].split(' ', Qt::SkipEmptyParts));
        EXPECT_EQ(outcome.exitCode, f[0].toInt()) << describe(outcome);
        EXPECT_TRUE(outcome.errors.startsWith("norva-automate: " + f[1])) << describe(outcome);
    }
    setEnvironment("NORVA_PROGRAM", QString::fromStdString(folder / "no-such-norva"));
    const Outcome outcome = automate({"get", "TARN"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.errors.contains("cannot start")) << describe(outcome);
    EXPECT_FALSE(bustest::nameOwned("Norva.Document"));
}

}  // namespace
