#include "LoomBusClient.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "LoomBusTypes.h"

namespace {

// A large case is read in a handful of calls, each of which may carry millions of values.
constexpr int kCallTimeoutMs = 10 * 60 * 1000;

// One object of the server, by path, released when this goes.
class RemoteObject {
public:
    RemoteObject(QDBusConnection bus, QString path, const char* interface)
        : m_bus(std::move(bus)), m_path(std::move(path)), m_interface(interface) {}
    ~RemoteObject() {
        // Nothing waits for the answer: a server that has gone away has nothing to release.
        m_bus.call(message("Release", {}), QDBus::NoBlock);
    }
    RemoteObject(const RemoteObject&) = delete;
    RemoteObject& operator=(const RemoteObject&) = delete;

    QDBusMessage message(const QString& method, const QVariantList& arguments) const {
        QDBusMessage call =
            QDBusMessage::createMethodCall(loombus::kService, m_path, m_interface, method);
        call.setArguments(arguments);
        return call;
    }
    // The reply's first value; a bus or server error throws its description.
    QVariant call(const QString& method, const QVariantList& arguments = {}) const {
        const QDBusMessage reply =
            m_bus.call(message(method, arguments), QDBus::Block, kCallTimeoutMs);
        if (reply.type() == QDBusMessage::ErrorMessage)
            throw LoomCallError(reply.errorMessage().toStdString());
        if (reply.arguments().isEmpty()) return {};
        return reply.arguments().constFirst();
    }
    // As call, but reports a server that lacks the method by returning false.
    bool tryCall(const QString& method, QVariant& result) const {
        const QDBusMessage reply = m_bus.call(message(method, {}), QDBus::Block, kCallTimeoutMs);
        if (reply.type() == QDBusMessage::ErrorMessage) {
            if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
                return false;
            throw LoomCallError(reply.errorMessage().toStdString());
        }
        result = reply.arguments().value(0);
        return true;
    }
    QString objectPath(const QString& method, const QVariantList& arguments = {}) const {
        return qvariant_cast<QDBusObjectPath>(call(method, arguments)).path();
    }
    std::int32_t integer(const QString& method) const { return call(method).toInt(); }
    const QDBusConnection& bus() const { return m_bus; }

private:
    QDBusConnection m_bus;
    QString m_path;
    const char* m_interface;
};

std::vector<std::string> toStrings(const QStringList& list) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& text : list) result.push_back(text.toStdString());
    return result;
}

// The argument inside a "v" reply, checked against the signature the caller expects.
QDBusArgument innerArgument(const QVariant& value, const char* signature) {
    const QVariant inner = qvariant_cast<QDBusVariant>(value).variant();
    if (inner.userType() != qMetaTypeId<QDBusArgument>())
        throw LoomCallError(std::string("the table's data is not of type ") + signature);
    QDBusArgument argument = qvariant_cast<QDBusArgument>(inner);
    if (argument.currentSignature() != QLatin1String(signature))
        throw LoomCallError("the table's data has type " +
                            argument.currentSignature().toStdString() + ", not " + signature);
    return argument;
}

class BusSet : public ILoomNameSet {
public:
    BusSet(const QDBusConnection& bus, const QString& path)
        : m_object(bus, path, loombus::kSetInterface) {}
    std::vector<std::string> Names(std::int32_t count) override {
        QVariant all;
        if (m_object.tryCall("Names", all)) return toStrings(all.toStringList());
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (std::int32_t i = 0; i < count; ++i)
            names.push_back(m_object.call("Name", {i}).toString().toStdString());
        return names;
    }

private:
    RemoteObject m_object;
};

class BusTable : public ILoomTable {
public:
    BusTable(const QDBusConnection& bus, const QString& path)
        : m_object(bus, path, loombus::kTableInterface) {}
    std::int32_t RowCount() override { return m_object.integer("RowCount"); }
    std::int32_t ColumnCount() override { return m_object.integer("ColumnCount"); }
    std::unique_ptr<ILoomNameSet> RowSet() override { return set("RowSet"); }
    std::unique_ptr<ILoomNameSet> ColumnSet() override { return set("ColumnSet"); }

    std::vector<LoomMatrixRecord> MatrixData() override {
        const QDBusArgument argument = innerArgument(m_object.call("Data"), "a(iid)");
        std::vector<LoomMatrixRecord> records;
        argument.beginArray();
        while (!argument.atEnd()) {
            loombus::Record record;
            argument >> record;
            records.push_back({record.column, record.row, static_cast<float>(record.value)});
        }
        argument.endArray();
        return records;
    }

    LoomGrid Data() override {
        const QDBusArgument argument = innerArgument(m_object.call("Data"), "aad");
        LoomGrid grid;
        argument.beginArray();
        while (!argument.atEnd()) {
            QList<double> row;
            argument >> row;
            grid.rows.emplace_back(row.begin(), row.end());
        }
        argument.endArray();
        return grid;
    }

    std::vector<std::string> CellTexts(std::int32_t count, std::int32_t column) override {
        const QDBusMessage reply = m_object.bus().call(m_object.message("ColumnTexts", {column}),
                                                       QDBus::Block, kCallTimeoutMs);
        if (reply.type() != QDBusMessage::ErrorMessage) {
            std::vector<std::string> texts = toStrings(reply.arguments().value(0).toStringList());
            if (texts.size() > static_cast<std::size_t>(std::max(count, 0)))
                texts.resize(static_cast<std::size_t>(std::max(count, 0)));
            return texts;
        }
        if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
            throw LoomCallError(reply.errorMessage().toStdString());
        std::vector<std::string> texts;
        for (std::int32_t k = 0; k < count; ++k)
            texts.push_back(m_object.call("CellText", {k, column}).toString().toStdString());
        return texts;
    }

private:
    std::unique_ptr<ILoomNameSet> set(const char* method) {
        return std::make_unique<BusSet>(m_object.bus(), m_object.objectPath(method));
    }
    RemoteObject m_object;
};

class BusConnection : public ILoomConnection {
public:
    BusConnection(const QDBusConnection& bus, const QString& path)
        : m_object(bus, path, loombus::kConnectionInterface), m_path(path) {}
    void SetProcessName(const std::string& name) override {
        QDBusMessage set = QDBusMessage::createMethodCall(loombus::kService, m_path,
                                                          "org.freedesktop.DBus.Properties", "Set");
        set.setArguments({QString(loombus::kConnectionInterface), QString("ProcessName"),
                          QVariant::fromValue(QDBusVariant(QString::fromStdString(name)))});
        const QDBusMessage reply = m_object.bus().call(set, QDBus::Block, kCallTimeoutMs);
        if (reply.type() == QDBusMessage::ErrorMessage)
            throw LoomCallError(reply.errorMessage().toStdString());
    }
    std::unique_ptr<ILoomTable> OpenTable(const std::string& name) override {
        const QString path = m_object.objectPath("OpenTable", {QString::fromStdString(name)});
        return std::make_unique<BusTable>(m_object.bus(), path);
    }

private:
    RemoteObject m_object;
    QString m_path;
};

}  // namespace

std::unique_ptr<ILoomConnection> LoomBusConnector::Connect() {
    loombus::registerTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) throw LoomCallError(bus.lastError().message().toStdString());
    QDBusMessage create = QDBusMessage::createMethodCall(
        loombus::kService, "/", loombus::kServerInterface, "CreateConnection");
    const QDBusMessage reply = bus.call(create, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        throw LoomCallError(reply.errorMessage().toStdString());
    const QString path = qvariant_cast<QDBusObjectPath>(reply.arguments().value(0)).path();
    return std::make_unique<BusConnection>(bus, path);
}
