#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusVariant>
#include <QVariantMap>

class DocumentAutomation;

// The standard properties interface of the automation object, answered by the object itself
// rather than by the bus library: only so does a property access count its caller as a client,
// and a value of the wrong type is refused instead of converted.
class DocumentPropertiesAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.Properties")
    // The bus library describes the standard interface already; a blank description keeps it
    // from appearing twice in the introspection data.
    Q_CLASSINFO("D-Bus Introspection", " ")
public:
    explicit DocumentPropertiesAdaptor(DocumentAutomation* parent);

public slots:
    QDBusVariant Get(const QString& interface, const QString& name);
    void Set(const QString& interface, const QString& name, const QDBusVariant& value);
    QVariantMap GetAll(const QString& interface);

private:
    DocumentAutomation& m_automation;
};
