#include "CaseServerObjects.h"

#include <QDBusError>
#include <QDBusMessage>

namespace {

constexpr const char* kMatrixTable = "MATX";

template <typename T>
QDBusObjectPath publishAs(CaseServerRoot& root, T* obj) {
    const QDBusObjectPath path = root.publish(obj);
    obj->path = path.path();
    return path;
}

}  // namespace

CaseServerRoot::CaseServerRoot(QDBusConnection bus, QString processName, const ServedCase& served,
                               const ServedFaults& faults)
    : m_bus(std::move(bus)),
      m_processName(std::move(processName)),
      m_served(served),
      m_faults(faults) {}

QDBusObjectPath CaseServerRoot::publish(QObject* obj) {
    const QString path = nextPath();
    obj->setParent(this);
    m_bus.registerObject(path, obj,
                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    ++m_live;
    return QDBusObjectPath(path);
}

void CaseServerRoot::release(QObject* obj, const QString& path) {
    m_bus.unregisterObject(path);
    --m_live;
    obj->deleteLater();
}

QDBusObjectPath CaseServerRoot::CreateConnection() {
    const QString path = nextPath();
    auto* connection = new CaseServerConnection(*this, path);
    connection->setParent(this);
    m_bus.registerVirtualObject(path, connection);
    countLive();
    return QDBusObjectPath(path);
}

QString CaseServerConnection::introspect(const QString&) const {
    return QStringLiteral(
        "<interface name=\"LoomXObjects.CLoomConnection\">"
        "<property name=\"ProcessName\" type=\"s\" access=\"readwrite\"/>"
        "<method name=\"OpenTable\"><arg name=\"name\" type=\"s\" direction=\"in\"/>"
        "<arg name=\"table\" type=\"o\" direction=\"out\"/></method>"
        "<method name=\"Release\"/></interface>");
}

bool CaseServerConnection::handleMessage(const QDBusMessage& message,
                                         const QDBusConnection& connection) {
    const QString member = message.member();
    QDBusMessage reply;
    if (message.interface() == QLatin1String("org.freedesktop.DBus.Properties") &&
        member == QLatin1String("Set")) {
        reply = setProperty(message);
    } else if (message.interface() == QLatin1String("org.freedesktop.DBus.Properties") &&
               member == QLatin1String("Get")) {
        reply = message.createReply(QVariant::fromValue(QDBusVariant(m_processName)));
    } else if (member == QLatin1String("OpenTable")) {
        reply = openTable(message);
    } else if (member == QLatin1String("Release")) {
        reply = message.createReply();
        m_root.release(this, m_path);
    } else {
        return false;
    }
    if (message.isReplyRequired()) connection.send(reply);
    return true;
}

QDBusMessage CaseServerConnection::setProperty(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    const QString name = arguments.size() == 3
                             ? qvariant_cast<QDBusVariant>(arguments[2]).variant().toString()
                             : QString();
    if (arguments.size() != 3 || arguments[1].toString() != QLatin1String("ProcessName") ||
        name != m_root.processName())
        return message.createErrorReply(
            QDBusError::InvalidArgs,
            QStringLiteral("No process named \"%1\" runs on this server").arg(name));
    m_processName = name;
    return message.createReply();
}

QDBusMessage CaseServerConnection::openTable(const QDBusMessage& message) {
    const QString name = message.arguments().value(0).toString();
    const bool known = name == kMatrixTable || m_root.served().tables.contains(name);
    if (m_processName.isEmpty())
        return message.createErrorReply(QDBusError::Failed,
                                        QStringLiteral("No process name is set"));
    if (!known || name == m_root.faults().unopenableTable)
        return message.createErrorReply(QDBusError::InvalidArgs,
                                        QStringLiteral("The case has no table \"%1\"").arg(name));
    return message.createReply(
        QVariant::fromValue(publishAs(m_root, new CaseServerTable(m_root, name))));
}

const ServedTable* CaseServerTable::table() const {
    const auto found = m_root.served().tables.constFind(m_name);
    return found == m_root.served().tables.constEnd() ? nullptr : &found.value();
}

int CaseServerTable::RowCount() {
    if (m_name == kMatrixTable) return static_cast<int>(m_root.served().rows.size());
    return static_cast<int>(table()->data.size());
}

int CaseServerTable::ColumnCount() {
    if (m_name == kMatrixTable) return static_cast<int>(m_root.served().columns.size());
    int widest = static_cast<int>(table()->textColumns.size());
    for (const QList<double>& row : table()->data) widest = std::max(widest, int(row.size()));
    return widest;
}

QDBusObjectPath CaseServerTable::RowSet() {
    if (m_root.faults().noRowSet) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("The row set is not available"));
        return {};
    }
    return publishAs(m_root, new CaseServerSet(m_root, m_root.served().rows));
}

QDBusObjectPath CaseServerTable::ColumnSet() {
    if (m_root.faults().noColumnSet) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("The column set is not available"));
        return {};
    }
    return publishAs(m_root, new CaseServerSet(m_root, m_root.served().columns));
}

QDBusVariant CaseServerTable::Data() {
    if (m_name != kMatrixTable) return QDBusVariant(QVariant::fromValue(table()->data));
    loombus::Records records = m_root.served().records;
    if (m_root.faults().recordOutside)
        records.append({static_cast<qint32>(m_root.served().columns.size()), 0, 1.0});
    return QDBusVariant(QVariant::fromValue(records));
}

QStringList CaseServerTable::ColumnTexts(int column) {
    if (m_root.faults().noBulk) {
        sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("No ColumnTexts here"));
        return {};
    }
    const ServedTable* served = table();
    if (served == nullptr || column < 0 || column >= served->textColumns.size()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No text column %1").arg(column));
        return {};
    }
    return served->textColumns[column];
}

QString CaseServerTable::CellText(int row, int column) {
    const ServedTable* served = table();
    if (served == nullptr || column < 0 || column >= served->textColumns.size() || row < 0 ||
        row >= served->textColumns[column].size()) {
        sendErrorReply(QDBusError::InvalidArgs,
                       QStringLiteral("No cell (%1, %2)").arg(row).arg(column));
        return {};
    }
    return served->textColumns[column][row];
}

QString CaseServerSet::Name(int position) {
    if (position < 0 || position >= m_names.size()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No name at %1").arg(position));
        return {};
    }
    return m_names[position];
}

QStringList CaseServerSet::Names() {
    if (m_root.faults().noBulk) {
        sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("No Names here"));
        return {};
    }
    return m_names;
}
