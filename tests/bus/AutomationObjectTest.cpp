// The automation object served by this test program: clients are norva-automate sessions and
// private bus connections, and the window, views and document are checked from inside.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QComboBox>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QSignalSpy>
#include <QXmlStreamReader>
#include <memory>
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
using bustest::Outcome;
using bustest::waitFor;

// A client of its own: a private connection whose calls wait in the event loop, so that the
// object in this same program can answer them.
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

    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            DocumentAutomation::processBusName(), "/Document", interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = m_bus->asyncCall(message);
        waitFor([&pending] { return pending.isFinished(); });
        return pending.reply();
    }
    QDBusMessage call(const QString& method, const QVariantList& arguments = {}) {
        return call("Norva.Document", method, arguments);
    }

private:
    QString m_name;
    std::optional<QDBusConnection> m_bus;
};

QVariant variant(const QVariant& value) { return QVariant::fromValue(QDBusVariant(value)); }
QVariant first(const QDBusMessage& reply) {
    const QVariant value = reply.arguments().value(0);
    return value.metaType() == QMetaType::fromType<QDBusVariant>()
               ? qvariant_cast<QDBusVariant>(value).variant()
               : value;
}

class AutomationObjectTest : public bustest::BusTest {
protected:
    AutomationObjectTest() : m_directory(QDir::currentPath()) {
        ::setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);
        app = std::make_unique<CNorvaApp>(store, ui, NORVA_PROGRAM_PATH);
        finished = std::make_unique<QSignalSpy>(app.get(), &CNorvaApp::automationFinished);
        EXPECT_TRUE(app->InitInstance({"--automation"}).keepRunning);
    }
    ~AutomationObjectTest() override {
        finished.reset();
        app.reset();
        QDir::setCurrent(m_directory);
        ::unsetenv("ODBCINI");
    }

    Outcome attached(const QStringList& commands) {
        return automate(QStringList{"--attach", DocumentAutomation::processBusName()} + commands);
    }
    int clientCount() const { return app->automation()->clients().count(); }

    MemorySettingsStore store;
    RecordingUserInterface ui;
    std::unique_ptr<CNorvaApp> app;
    std::unique_ptr<QSignalSpy> finished;

private:
    QString m_directory;
};

TEST_F(AutomationObjectTest, OpensATaggedMatrixWithTheClientsDatabaseAndShowsAColumn) {
    EXPECT_FALSE(app->frame()->isVisible());
    struct Property {
        const char* name;
        const char* value;  // set first unless null
        const char* expected;
    };
    const Property properties[] = {
        {"TARN", "true", "true"},
        {"InitialSearchItem", nullptr, ""},  // the detail view took and cleared it
        {"RowDisplay", nullptr, "false"},
        {"strDaoConnect", "ODBC;", "ODBC;"},
        {"strDaoDatabase", "NorvaResults", "NorvaResults"},
        {"strPrimalColTable", "PrPrimalColumn", "PrPrimalColumn"},
        {"strPrimalRowTable", "PrPrimalRow", "PrPrimalRow"},
        {"strRunIdTable", "PrSolution", "PrSolution"},
        {"AssumeUTF8", "true", "true"},
        {"FromAutomationClient", "true", "true"},
        {"strDatabaseConnectionType", "ODBC", "ODBC"},
        {"strDatabaseConnection", nullptr, ""},
    };
    QStringList commands;
    for (const Property& property : properties)
        if (property.value != nullptr) commands << "set" << property.name << property.value;
    commands << "call" << "OpenDocument" << NORVA_EXAMPLES_DIR "/MPSBCD001.mps"
             << "call" << "UpdateSearchAndDisplay" << "X01" << "false";
    // Left open for the user, so that the window can be checked after the session.
    commands << "call" << "SetUserCtrl" << "true";
    QStringList expected{"true"};
    for (const Property& property : properties) {
        commands << "get" << property.name;
        expected << property.expected;
    }
    const Outcome outcome = attached(commands);
    ASSERT_EQ(outcome.exitCode, 0) << describe(outcome);
    EXPECT_EQ(outcome.lines, expected) << describe(outcome);
    EXPECT_EQ(ui.messageCount, 0) << ui.lastMessage;
    EXPECT_TRUE(app->frame()->isVisible());
    EXPECT_NE(app->document()->primal().FindPrimalColumn("X01"), nullptr);
    EXPECT_FALSE(app->document()->primal().rows.empty());
    EXPECT_EQ(app->detailView()->nameList()->currentText(), "X01");
    EXPECT_TRUE(waitFor([this] { return clientCount() == 0; }));
    EXPECT_EQ(finished->count(), 0);
}

TEST_F(AutomationObjectTest, AMissingFileGivesFalseAndTheDocumentsMessage) {
    const std::string missing = folder / "missing.mps";
    const Outcome outcome = attached({"call", "OpenDocument", QString::fromStdString(missing)});
    ASSERT_EQ(outcome.exitCode, 0) << describe(outcome);
    EXPECT_EQ(outcome.lines, QStringList{"false"});
    EXPECT_EQ(ui.messageCount, 1);
    EXPECT_NE(ui.lastMessage.find(missing), std::string::npos) << ui.lastMessage;
    EXPECT_FALSE(app->frame()->isVisible());
}

TEST_F(AutomationObjectTest, EndsOnlyAfterBothClientsHaveGone) {
    Client first("first"), second("second");
    EXPECT_EQ(first.call("GetVersion").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(second.call("GetVersion").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(clientCount(), 2);
    second.disconnect();
    ASSERT_TRUE(waitFor([this] { return clientCount() == 1; }));
    EXPECT_EQ(finished->count(), 0);
    // Release lets go without leaving the bus.
    EXPECT_EQ(first.call("Release").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(clientCount(), 0);
    EXPECT_TRUE(waitFor([this] { return finished->count() == 1; }));
}

TEST_F(AutomationObjectTest, SetUserCtrlKeepsTheProgramAndShowsItsWindow) {
    Client client("client");
    EXPECT_EQ(first(client.call("GetUserCtrl")), QVariant(false));
    client.call("SetUserCtrl", QVariantList{true});
    EXPECT_EQ(first(client.call("GetUserCtrl")), QVariant(true));
    // A property read is a call too: a client that only reads holds a reference.
    Client reader("reader");
    EXPECT_EQ(first(reader.call("org.freedesktop.DBus.Properties", "Get",
                                {"Norva.Document", "TARN"})),
              QVariant(true));
    EXPECT_EQ(clientCount(), 2);
    client.disconnect();
    reader.disconnect();
    ASSERT_TRUE(waitFor([this] { return clientCount() == 0; }));
    EXPECT_EQ(finished->count(), 0);
    EXPECT_TRUE(app->frame()->isVisible());
}

TEST_F(AutomationObjectTest, DispatchIdsAndInvokeFollowTheMemberTable) {
    Client client("client");
    const QDBusMessage ids =
        client.call("IdsOfNames", {QStringList{"TARN", "getversion", "AssumeUTF8"}});
    EXPECT_EQ(qdbus_cast<QList<int>>(ids.arguments().value(0)), (QList<int>{1, 13, 15}));
    EXPECT_EQ(first(client.call("Invoke", {13, QVariantList{}})), QVariant(GetVersion()));
    client.call("Invoke", {2, QVariantList{variant("QROW")}});
    EXPECT_EQ(app->document()->automation().InitialSearchItem, "QROW");
    EXPECT_EQ(first(client.call("Invoke", {2, QVariantList{}})), QVariant("QROW"));
    client.call("Invoke", {11, QVariantList{variant(true)}});
    EXPECT_EQ(first(client.call("Invoke", {10, QVariantList{}})), QVariant(true));
    client.call("Invoke", {14, QVariantList{variant("LoomBox")}});
    EXPECT_EQ(app->document()->settings().LoomProcessName, "LoomBox");
}

TEST_F(AutomationObjectTest, WrongArgumentsAreRefusedAndTheObjectKeepsWorking) {
    Client client("client");
    struct Case {
        const char* interface;
        const char* method;
        QVariantList arguments;
        const char* error;
        const char* message;
    };
    const Case cases[] = {
        {"Norva.Document", "IdsOfNames", {QStringList{"TARN", "Nope"}},
         "Norva.Document.Error.UnknownName", "no member is named \"Nope\""},
        {"Norva.Document", "Invoke", {0, QVariantList{}}, "Norva.Document.Error.UnknownId",
         "no member has the dispatch id 0"},
        {"Norva.Document", "Invoke", {11, QVariantList{variant("yes")}},
         "org.freedesktop.DBus.Error.InvalidArgs",
         "argument 1 of SetUserCtrl (dispatch id 11) must be a boolean (b), not 's'"},
        {"Norva.Document", "Invoke", {9, QVariantList{}}, "org.freedesktop.DBus.Error.InvalidArgs",
         "OpenDocument (dispatch id 9) takes 1 argument(s), not 0"},
        {"Norva.Document", "Invoke", {1, QVariantList{variant(1), variant(2)}},
         "org.freedesktop.DBus.Error.InvalidArgs", "TARN (dispatch id 1) takes 1 argument(s)"},
        {"Norva.Document", "SetUserCtrl", {5}, "org.freedesktop.DBus.Error.UnknownMethod",
         "SetUserCtrl"},
        {"org.freedesktop.DBus.Properties", "Set", {"Norva.Document", "TARN", variant("x")},
         "org.freedesktop.DBus.Error.InvalidArgs",
         "TARN is a boolean (b) property; the value given has the signature 's'"},
        {"org.freedesktop.DBus.Properties", "Get", {"Norva.Document", "OpenDocument"},
         "org.freedesktop.DBus.Error.UnknownProperty", "Norva.Document has no property OpenDocument"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.method) + " " + test.message);
        const QDBusMessage reply = client.call(test.interface, test.method, test.arguments);
        ASSERT_EQ(reply.type(), QDBusMessage::ErrorMessage);
        EXPECT_EQ(reply.errorName(), test.error);
        EXPECT_TRUE(reply.errorMessage().contains(test.message)) << reply.errorMessage().toStdString();
    }
    EXPECT_TRUE(app->document()->automation().TARN);
    EXPECT_TRUE(app->document()->automation().closeOnRelease);
    EXPECT_EQ(first(client.call("GetVersion")), QVariant(GetVersion()));
}

// What introspection lists is what the member table says.
TEST_F(AutomationObjectTest, IntrospectionListsEveryMemberWithItsType) {
    Client client("client");
    QXmlStreamReader xml(
        first(client.call("org.freedesktop.DBus.Introspectable", "Introspect")).toString());
    QMap<QString, QString> found;  // name -> property type, or method in/out signatures
    QString interface, method;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto attribute = [&xml](const char* name) {
            return xml.attributes().value(QString(name)).toString();
        };
        if (xml.name() == QString("interface")) interface = attribute("name");
        if (interface != "Norva.Document") continue;
        if (xml.name() == QString("property")) found[attribute("name")] = attribute("type");
        if (xml.name() == QString("method")) found[method = attribute("name")] = "->";
        if (xml.name() == QString("arg")) {
            QString& signature = found[method];
            if (attribute("direction") == "out")
                signature += attribute("type");
            else
                signature.insert(signature.indexOf("->"), attribute("type"));
        }
    }
    for (const AutomationMember& member : automationMembers()) {
        SCOPED_TRACE(member.name);
        QString signature;
        if (member.isProperty()) {
            signature = QChar(automationTypeSignature(member.type));
        } else {
            for (int i = 0; i < member.argumentCount(); ++i)
                signature += QChar(automationTypeSignature(member.arguments[i]));
            signature += "->";
            if (member.type != AutomationType::kNone)
                signature += QChar(automationTypeSignature(member.type));
        }
        EXPECT_EQ(found.value(member.name), signature);
    }
    EXPECT_EQ(found.value("IdsOfNames"), "as->ai");
    EXPECT_EQ(found.value("Invoke"), "iav->v");
    EXPECT_EQ(found.value("Release"), "->");
}

}  // namespace
