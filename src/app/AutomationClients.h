#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>
#include <QString>

// The clients that hold a reference to the automation object, by unique bus name. A client is
// added by its first call and removed when it releases or leaves the bus; emptied emits
// lastReleased.
class AutomationClients : public QObject {
    Q_OBJECT
public:
    explicit AutomationClients(const QDBusConnection& connection);

    void add(const QString& client);
    void release(const QString& client);
    int count() const { return static_cast<int>(m_clients.size()); }
    bool holds(const QString& client) const { return m_clients.contains(client); }

signals:
    void lastReleased();

private:
    QDBusConnection m_connection;
    QDBusServiceWatcher m_watcher;
    QSet<QString> m_clients;
};
