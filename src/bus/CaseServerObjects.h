#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QObject>

#include "ServedCase.h"

// The case server's objects on the bus. Each object a client obtains lives until the client
// releases it.
class CaseServerRoot : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "LoomXObjects.Server")

public:
    CaseServerRoot(QDBusConnection bus, QString processName, const ServedCase& served,
                   const ServedFaults& faults);
    // Registers obj at a new path and gives the path; obj then belongs to the bus side.
    QDBusObjectPath publish(QObject* obj);
    QString nextPath() { return QStringLiteral("/object/%1").arg(++m_next); }
    QDBusConnection& bus() { return m_bus; }
    void countLive() { ++m_live; }
    int liveObjects() const { return m_live; }
    const ServedCase& served() const { return m_served; }
    const ServedFaults& faults() const { return m_faults; }
    const QString& processName() const { return m_processName; }
    void release(QObject* obj, const QString& path);

public slots:
    QDBusObjectPath CreateConnection();

private:
    QDBusConnection m_bus;
    QString m_processName;
    const ServedCase& m_served;
    ServedFaults m_faults;
    int m_next = 0;
    int m_live = 0;
};

// A connection answers its messages itself: a refused process name must reach the client as
// an error, which the bus's own property handling cannot send.
class CaseServerConnection : public QDBusVirtualObject {
public:
    CaseServerConnection(CaseServerRoot& root, QString path)
        : m_root(root), m_path(std::move(path)) {}
    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QDBusMessage setProperty(const QDBusMessage& message);
    QDBusMessage openTable(const QDBusMessage& message);
    CaseServerRoot& m_root;
    QString m_path;
    QString m_processName;
};

class CaseServerTable : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "LoomXObjects.CLoomTable")

public:
    CaseServerTable(CaseServerRoot& root, QString name) : m_root(root), m_name(std::move(name)) {}
    QString path;

public slots:
    int RowCount();
    int ColumnCount();
    QDBusObjectPath RowSet();
    QDBusObjectPath ColumnSet();
    QDBusVariant Data();
    QString CellText(int row, int column);
    QStringList ColumnTexts(int column);
    void Release() { m_root.release(this, path); }

private:
    const ServedTable* table() const;
    CaseServerRoot& m_root;
    QString m_name;
};

class CaseServerSet : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "LoomXObjects.CLoomSet")

public:
    CaseServerSet(CaseServerRoot& root, const QStringList& names) : m_root(root), m_names(names) {}
    QString path;

public slots:
    QString Name(int position);
    QStringList Names();
    void Release() { m_root.release(this, path); }

private:
    CaseServerRoot& m_root;
    QStringList m_names;
};
