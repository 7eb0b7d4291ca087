// The automation object served by this test program; clients are norva-automate sessions and
// private connections, and the window, views and document are checked from inside.

#include <stdlib.h>

#include <QComboBox>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QSignalSpy>
#include <optional>

#include "AutomationMembers.h"
#include "BusTestSupport.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaDoc.h"
#include "CRowFormView.h"
#include "DocumentAutomation.h"
#include "MemorySettingsStore.h"
#include "ProgramVersion.h"

namespace {

using bustest::describe;
using bustest::waitFor;

constexpr const char* kProperties = "org.freedesktop.DBus.Properties";

// A client on a private connection whose calls wait in the event loop, so that the object in
// this same program can answer them.
class Client {
public:
    explicit Client(const QString& name)
        : m_name(name), m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)) {}
    ~Client() { disconnect(); }
    // The connection closes only when no handle to it is left.
    void disconnect() {
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_name);
    }
    QDBusMessage call(const QString& method, const QVariantList& arguments = {},
                      const QString& interface = "Norva.Document") {
        QDBusMessage message = QDBusMessage::createMethodCall(DocumentAutomation::processBusName(),
                                                              "/Document", interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = m_bus->asyncCall(message);
        waitFor([&pending] { return pending.isFinished(); });
        return pending.reply();
    }

private:
    QString m_name;
    std::optional<QDBusConnection> m_bus;
};

QVariant wrapped(const QVariant& value) { return QVariant::fromValue(QDBusVariant(value)); }
QVariant result(const QDBusMessage& reply) {
    const QVariant value = reply.arguments().value(0);
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return QVariant::fromValue(qdbus_cast<QList<int>>(value));
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

class AutomationObjectTest : public bustest::BusTest {
protected:
    AutomationObjectTest() : m_directory(QDir::currentPath()) {
        ::setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);
        EXPECT_TRUE(app.InitInstance({"--automation"}).keepRunning);
    }
    ~AutomationObjectTest() override {
        QDir::setCurrent(m_directory);
        ::unsetenv("ODBCINI");
    }
    bustest::Outcome attached(const QStringList& commands) {
        return automate(QStringList{"--attach", DocumentAutomation::processBusName()} + commands);
    }
    int clients() const { return app.automation()->clients().count(); }

    MemorySettingsStore store;
    RecordingUserInterface ui;
    CNorvaApp app{store, ui, NORVA_PROGRAM_PATH};
    QSignalSpy finished{&app, &CNorvaApp::automationFinished};

private:
    QString m_directory;
};

TEST_F(AutomationObjectTest, OpensATaggedMatrixWithTheClientsDatabaseAndShowsAColumn) {
    EXPECT_FALSE(app.frame()->isVisible());
    QStringList commands, gets, expected{"true"};
    for (const QStringList& f : bustest::dataTable("bus/document-properties.txt")) {
        if (f[1] != "-") commands << "set" << f[0] << f[1];
        gets << "get" << f[0];
        expected << f[2];
    }
    ASSERT_EQ(expected.size(), 13);
    commands += {"call", "OpenDocument", NORVA_EXAMPLES_DIR "/MPSBCD001.mps"};
    commands += {"call", "UpdateSearchAndDisplay", "X01", "false"};
    // Left to the user, so that the window is still there after the session.
    const bustest::Outcome outcome =
        attached(commands + gets + QStringList{"call", "SetUserCtrl", "true"});
    ASSERT_EQ(outcome.exitCode, 0) << describe(outcome);
    EXPECT_EQ(outcome.lines, expected) << describe(outcome);
    EXPECT_EQ(ui.messageCount, 0) << ui.lastMessage;
    EXPECT_TRUE(app.frame()->isVisible());
    EXPECT_NE(app.document()->primal().FindPrimalColumn("X01"), nullptr);
    EXPECT_FALSE(app.document()->primal().rows.empty());
    EXPECT_EQ(app.detailView()->nameList()->currentText(), "X01");
    EXPECT_TRUE(waitFor([this] { return clients() == 0; }));
    EXPECT_EQ(finished.count(), 0);
}

// Reading a property holds a reference too, and Release lets go without leaving the bus.
TEST_F(AutomationObjectTest, EndsOnlyAfterBothClientsHaveGone) {
    Client first("first"), second("second");
    EXPECT_EQ(result(first.call("GetUserCtrl")), QVariant(false));
    EXPECT_EQ(result(second.call("Get", {"Norva.Document", "TARN"}, kProperties)), QVariant(true));
    EXPECT_EQ(clients(), 2);
    second.disconnect();
    ASSERT_TRUE(waitFor([this] { return clients() == 1; }));
    EXPECT_EQ(finished.count(), 0);
    first.call("Release");
    EXPECT_TRUE(waitFor([this] { return finished.count() == 1; }));
}

// Dispatch ids, Invoke and refused arguments; the object answers on after every refusal, and
// its introspection lists every member.
TEST_F(AutomationObjectTest, MembersAnswerFromTheTableRefuseWrongArgumentsAndAreIntrospected) {
    Client client("client");
    const QString invalid = "org.freedesktop.DBus.Error.InvalidArgs";
    struct Case {
        const char* method;
        QVariantList arguments;
        QVariant expected;  // the result, or the error name
        const char* message = "";
        const char* interface = "Norva.Document";
    };
    // clang-format off
    const Case cases[] = {
        {"IdsOfNames", {QStringList{"TARN", "getversion", "AssumeUTF8"}},
         QVariant::fromValue(QList<int>{1, 13, 15})},
        {"Invoke", {13, QVariantList{}}, GetVersion()},
        {"Invoke", {2, QVariantList{wrapped("QROW")}}, QString()},
        {"Invoke", {2, QVariantList{}}, "QROW"},
        {"IdsOfNames", {QStringList{"TARN", "Nope"}}, "Norva.Document.Error.UnknownName",
         "no member is named \"Nope\""},
        {"Invoke", {0, QVariantList{}}, "Norva.Document.Error.UnknownId", "dispatch id 0"},
        {"Invoke", {11, QVariantList{wrapped("yes")}}, invalid,
         "argument 1 of SetUserCtrl (dispatch id 11) must be a boolean (b), not 's'"},
        {"Invoke", {9, QVariantList{}}, invalid, "OpenDocument (dispatch id 9) takes 1 argument"},
        {"SetUserCtrl", {5}, "org.freedesktop.DBus.Error.UnknownMethod", "SetUserCtrl"},
        {"Set", {"Norva.Document", "TARN", wrapped("x")}, invalid,
         "TARN is a boolean (b) property; the value given has the signature 's'", kProperties},
    };
    // clang-format on
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.method) + " " + test.message);
        const QDBusMessage reply = client.call(test.method, test.arguments, test.interface);
        if (*test.message == '\0')
            EXPECT_EQ(result(reply), test.expected) << reply.errorMessage().toStdString();
        else
            EXPECT_TRUE(reply.errorName() == test.expected.toString() &&
                        reply.errorMessage().contains(test.message))
                << (reply.errorName() + ": " + reply.errorMessage()).toStdString();
    }
    const auto& automation = app.document()->automation();
    EXPECT_EQ(std::tie(automation.InitialSearchItem, automation.TARN, automation.closeOnRelease),
              std::tuple(std::string("QROW"), true, true));
    const QString xml =
        result(client.call("Introspect", {}, "org.freedesktop.DBus.Introspectable")).toString();
    for (const AutomationMember& member : automationMembers())
        EXPECT_TRUE(xml.contains(QString("name=\"%1\"").arg(member.name))) << member.name;
}

}  // namespace
