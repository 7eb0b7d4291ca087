#include "AutomationClients.h"

#include <QDBusConnectionInterface>

AutomationClients::AutomationClients(const QDBusConnection& connection) : m_connection(connection) {
    m_watcher.setConnection(m_connection);
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &AutomationClients::release);
}

void AutomationClients::add(const QString& client) {
    if (client.isEmpty() || m_clients.contains(client)) return;
    m_clients.insert(client);
    m_watcher.addWatchedService(client);
    // A client that left between its call and the watch would otherwise be held for ever.
    QDBusConnectionInterface* bus = m_connection.interface();
    if (bus != nullptr && !bus->isServiceRegistered(client).value()) release(client);
}

void AutomationClients::release(const QString& client) {
    if (!m_clients.remove(client)) return;
    m_watcher.removeWatchedService(client);
    if (m_clients.isEmpty()) emit lastReleased();
}
