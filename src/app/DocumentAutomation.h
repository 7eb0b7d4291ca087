#pragma once

#include <QDBusContext>
#include <QDBusVariant>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "AutomationClients.h"
#include "AutomationMembers.h"

class CNorvaApp;

// The document's automation object on the session bus. Every member works on the
// application's one document; the generated adaptor exports the properties and slots below.
// A client's first call takes its reference, and when the last reference goes the
// application ends or stays, as the document's close-on-release flag says.
class DocumentAutomation : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(bool TARN READ getTARN WRITE setTARN)
    Q_PROPERTY(QString InitialSearchItem READ getInitialSearchItem WRITE setInitialSearchItem)
    Q_PROPERTY(bool RowDisplay READ getRowDisplay WRITE setRowDisplay)
    Q_PROPERTY(QString strDaoConnect READ getStrDaoConnect WRITE setStrDaoConnect)
    Q_PROPERTY(QString strDaoDatabase READ getStrDaoDatabase WRITE setStrDaoDatabase)
    Q_PROPERTY(QString strPrimalColTable READ getStrPrimalColTable WRITE setStrPrimalColTable)
    Q_PROPERTY(QString strPrimalRowTable READ getStrPrimalRowTable WRITE setStrPrimalRowTable)
    Q_PROPERTY(QString strRunIdTable READ getStrRunIdTable WRITE setStrRunIdTable)
    Q_PROPERTY(bool AssumeUTF8 READ getAssumeUTF8 WRITE setAssumeUTF8)
    Q_PROPERTY(bool FromAutomationClient READ getFromAutomationClient WRITE setFromAutomationClient)
    Q_PROPERTY(QString strDatabaseConnectionType READ getStrDatabaseConnectionType WRITE
                   setStrDatabaseConnectionType)
    Q_PROPERTY(
        QString strDatabaseConnection READ getStrDatabaseConnection WRITE setStrDatabaseConnection)
public:
    static constexpr const char* kObjectPath = "/Document";
    static constexpr const char* kInterface = "Norva.Document";
    static constexpr const char* kWellKnownName = "Norva.Document";

    explicit DocumentAutomation(CNorvaApp& app);
    ~DocumentAutomation() override;

    // Exports the object and takes the per-process name and, when free, the well-known one.
    // Empty on success, else why not.
    QString registerOnSessionBus();
    // Norva.Document.p<PID> of this process.
    static QString processBusName();

    const AutomationClients& clients() const { return m_clients; }

    // The properties interface of the bus object (see DocumentPropertiesAdaptor).
    QDBusVariant readProperty(const QString& interface, const QString& name);
    void writeProperty(const QString& interface, const QString& name, const QVariant& value);
    QVariantMap readAllProperties(const QString& interface);

    bool getTARN() const { return boolProperty(1); }
    void setTARN(bool value) { setBoolProperty(1, value); }
    QString getInitialSearchItem() const { return stringProperty(2); }
    void setInitialSearchItem(const QString& value) { setStringProperty(2, value); }
    bool getRowDisplay() const { return boolProperty(3); }
    void setRowDisplay(bool value) { setBoolProperty(3, value); }
    QString getStrDaoConnect() const { return stringProperty(4); }
    void setStrDaoConnect(const QString& value) { setStringProperty(4, value); }
    QString getStrDaoDatabase() const { return stringProperty(5); }
    void setStrDaoDatabase(const QString& value) { setStringProperty(5, value); }
    QString getStrPrimalColTable() const { return stringProperty(6); }
    void setStrPrimalColTable(const QString& value) { setStringProperty(6, value); }
    QString getStrPrimalRowTable() const { return stringProperty(7); }
    void setStrPrimalRowTable(const QString& value) { setStringProperty(7, value); }
    QString getStrRunIdTable() const { return stringProperty(8); }
    void setStrRunIdTable(const QString& value) { setStringProperty(8, value); }
    bool getAssumeUTF8() const { return boolProperty(15); }
    void setAssumeUTF8(bool value) { setBoolProperty(15, value); }
    bool getFromAutomationClient() const { return boolProperty(16); }
    void setFromAutomationClient(bool value) { setBoolProperty(16, value); }
    QString getStrDatabaseConnectionType() const { return stringProperty(17); }
    void setStrDatabaseConnectionType(const QString& value) { setStringProperty(17, value); }
    QString getStrDatabaseConnection() const { return stringProperty(18); }
    void setStrDatabaseConnection(const QString& value) { setStringProperty(18, value); }

public slots:
    bool OpenDocument(const QString& path);
    bool GetUserCtrl();
    void SetUserCtrl(bool userCtrl);
    void UpdateSearchAndDisplay(const QString& item, bool byRow);
    double GetVersion();
    void SetLoomProcessName(const QString& name);
    QList<int> IdsOfNames(const QStringList& names);
    QDBusVariant Invoke(int id, const QVariantList& arguments);
    void Release();

signals:
    // The last client has let go; the application decides what that means.
    void lastClientReleased();

private:
    // Every entry point counts the caller as a client; const because property reads do too.
    void noteCaller() const;
    bool boolProperty(int id) const;
    void setBoolProperty(int id, bool value);
    QString stringProperty(int id) const;
    void setStringProperty(int id, const QString& value);
    // The member behind a property name of this interface; null after an error reply.
    const AutomationMember* propertyNamed(const QString& interface, const QString& name);
    QVariant propertyValue(const AutomationMember& member) const;
    // Stores a value of the member's type; false after an error reply for any other type.
    bool storeProperty(const AutomationMember& member, const QVariant& value);
    QDBusVariant invokeProperty(const AutomationMember& member, const QVariantList& arguments);
    QDBusVariant invokeMethod(const AutomationMember& member, const QVariantList& arguments);
    // The bus error for a client's mistake; the call's result is then ignored.
    QDBusVariant rejectCall(const QString& message);

    CNorvaApp& m_app;
    mutable AutomationClients m_clients;
    bool m_registered = false;
};
