#include "DocumentPropertiesAdaptor.h"

#include "DocumentAutomation.h"

DocumentPropertiesAdaptor::DocumentPropertiesAdaptor(DocumentAutomation* parent)
    : QDBusAbstractAdaptor(parent), m_automation(*parent) {}

QDBusVariant DocumentPropertiesAdaptor::Get(const QString& interface, const QString& name) {
    return m_automation.readProperty(interface, name);
}

void DocumentPropertiesAdaptor::Set(const QString& interface, const QString& name,
                                    const QDBusVariant& value) {
    m_automation.writeProperty(interface, name, value.variant());
}

QVariantMap DocumentPropertiesAdaptor::GetAll(const QString& interface) {
    return m_automation.readAllProperties(interface);
}
