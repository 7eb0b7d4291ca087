#include "DocumentAutomation.h"

#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QMetaType>

#include "AutomationProperties.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaDoc.h"
#include "CNorvaView.h"
#include "CRowFormView.h"
#include "DocumentAdaptor.h"
#include "DocumentPropertiesAdaptor.h"
#include "ProgramVersion.h"

namespace {

constexpr const char* kInvalidArgs = "org.freedesktop.DBus.Error.InvalidArgs";
constexpr const char* kUnknownName = "Norva.Document.Error.UnknownName";
constexpr const char* kUnknownId = "Norva.Document.Error.UnknownId";
constexpr const char* kUnknownProperty = "org.freedesktop.DBus.Error.UnknownProperty";
constexpr const char* kUnknownInterface = "org.freedesktop.DBus.Error.UnknownInterface";

// A bus variant inside a variant list arrives wrapped; the value inside is what counts.
QVariant unwrapped(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

bool hasType(const QVariant& value, AutomationType type) {
    switch (type) {
        case AutomationType::kBool:
            return value.metaType() == QMetaType::fromType<bool>();
        case AutomationType::kString:
            return value.metaType() == QMetaType::fromType<QString>();
        case AutomationType::kDouble:
            return value.metaType() == QMetaType::fromType<double>();
        case AutomationType::kNone:
            break;
    }
    return false;
}

QString signatureOf(const QVariant& value) {
    const char* signature = QDBusMetaType::typeToSignature(value.metaType());
    return signature != nullptr ? QString::fromLatin1(signature) : QString(value.typeName());
}

// Checks each argument against the member's list; empty when all fit.
QString argumentMismatch(const AutomationMember& member, const QVariantList& arguments,
                         int expectedCount, const AutomationType* expected) {
    if (arguments.size() != expectedCount)
        return QString("%1 (dispatch id %2) takes %3 argument(s), not %4")
            .arg(member.name)
            .arg(member.id)
            .arg(expectedCount)
            .arg(arguments.size());
    for (int i = 0; i < expectedCount; ++i) {
        const QVariant value = unwrapped(arguments[i]);
        if (!hasType(value, expected[i]))
            return QString("argument %1 of %2 (dispatch id %3) must be a %4 (%5), not '%6'")
                .arg(i + 1)
                .arg(member.name)
                .arg(member.id)
                .arg(automationTypeName(expected[i]))
                .arg(QChar(automationTypeSignature(expected[i])))
                .arg(signatureOf(value));
    }
    return {};
}

QDBusVariant noResult() { return QDBusVariant(QString()); }

}  // namespace

DocumentAutomation::DocumentAutomation(CNorvaApp& app)
    : m_app(app), m_clients(QDBusConnection::sessionBus()) {
    new DocumentAdaptor(this);
    new DocumentPropertiesAdaptor(this);
    connect(&m_clients, &AutomationClients::lastReleased, this,
            &DocumentAutomation::lastClientReleased);
}

DocumentAutomation::~DocumentAutomation() {
    if (!m_registered) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(kObjectPath);
    bus.unregisterService(processBusName());
    if (bus.interface() != nullptr &&
        bus.interface()->serviceOwner(kWellKnownName).value() == bus.baseService())
        bus.unregisterService(kWellKnownName);
}

QString DocumentAutomation::processBusName() {
    return QString("Norva.Document.p%1").arg(::getpid());
}

QString DocumentAutomation::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return "cannot reach the session bus: " + bus.lastError().message();
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return QString("cannot export %1 on the session bus").arg(kObjectPath);
    m_registered = true;
    if (!bus.registerService(processBusName()))
        return "cannot own the bus name " + processBusName() + ": " + bus.lastError().message();
    // The well-known name goes to the first instance only; the others keep their own names.
    bus.interface()->registerService(kWellKnownName, QDBusConnectionInterface::DontQueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
    return {};
}

void DocumentAutomation::noteCaller() const {
    if (calledFromDBus()) m_clients.add(message().service());
}

bool DocumentAutomation::boolProperty(int id) const {
    noteCaller();
    return *automationBoolProperty(m_app.document()->automation(), id);
}

void DocumentAutomation::setBoolProperty(int id, bool value) {
    noteCaller();
    *automationBoolProperty(m_app.document()->automation(), id) = value;
}

QString DocumentAutomation::stringProperty(int id) const {
    noteCaller();
    return QString::fromStdString(*automationStringProperty(m_app.document()->automation(), id));
}

void DocumentAutomation::setStringProperty(int id, const QString& value) {
    noteCaller();
    *automationStringProperty(m_app.document()->automation(), id) = value.toStdString();
}

bool DocumentAutomation::OpenDocument(const QString& path) {
    noteCaller();
    if (m_app.OpenDocumentFile(path.toStdString()) == nullptr) return false;
    m_app.showMainWindow();
    return true;
}

bool DocumentAutomation::GetUserCtrl() {
    noteCaller();
    return !m_app.document()->automation().closeOnRelease;
}

void DocumentAutomation::SetUserCtrl(bool userCtrl) {
    noteCaller();
    m_app.document()->automation().closeOnRelease = !userCtrl;
}

void DocumentAutomation::UpdateSearchAndDisplay(const QString& item, bool byRow) {
    noteCaller();
    if (!item.isEmpty()) m_app.document()->automation().InitialSearchItem = item.toStdString();
    const int hint = byRow ? 1 : 2;
    m_app.detailView()->OnUpdate(hint);
    m_app.submatrixView()->OnUpdate();
    CMainFrame* frame = m_app.frame();
    if (frame->isMinimized()) frame->showNormal();
    frame->raise();
    frame->activateWindow();
}

double DocumentAutomation::GetVersion() {
    noteCaller();
    return ::GetVersion();
}

void DocumentAutomation::SetLoomProcessName(const QString& name) {
    noteCaller();
    m_app.document()->settings().LoomProcessName = name.toStdString();
}

QList<int> DocumentAutomation::IdsOfNames(const QStringList& names) {
    noteCaller();
    QList<int> ids;
    QStringList unknown;
    for (const QString& name : names) {
        const AutomationMember* member = findAutomationMember(name.toStdString());
        if (member == nullptr) unknown.append('"' + name + '"');
        ids.append(member != nullptr ? member->id : -1);
    }
    if (!unknown.isEmpty())
        sendErrorReply(kUnknownName, "no member is named " + unknown.join(", "));
    return ids;
}

QDBusVariant DocumentAutomation::Invoke(int id, const QVariantList& arguments) {
    noteCaller();
    const AutomationMember* member = automationMemberById(id);
    if (member == nullptr) {
        sendErrorReply(kUnknownId, QString("no member has the dispatch id %1; the ids are 1 to %2")
                                       .arg(id)
                                       .arg(kAutomationMemberCount));
        return noResult();
    }
    return member->isProperty() ? invokeProperty(*member, arguments)
                                : invokeMethod(*member, arguments);
}

const AutomationMember* DocumentAutomation::propertyNamed(const QString& interface,
                                                          const QString& name) {
    if (!interface.isEmpty() && interface != kInterface) {
        sendErrorReply(kUnknownInterface, QString("the object has no interface %1").arg(interface));
        return nullptr;
    }
    const AutomationMember* member = findAutomationMember(name.toStdString());
    if (member == nullptr || !member->isProperty() || name != member->name) {
        sendErrorReply(kUnknownProperty, QString("%1 has no property %2").arg(kInterface, name));
        return nullptr;
    }
    return member;
}

QVariant DocumentAutomation::propertyValue(const AutomationMember& member) const {
    if (member.type == AutomationType::kBool) return boolProperty(member.id);
    return stringProperty(member.id);
}

bool DocumentAutomation::storeProperty(const AutomationMember& member, const QVariant& value) {
    if (!hasType(value, member.type)) {
        rejectCall(QString("%1 is a %2 (%3) property; the value given has the signature '%4'")
                       .arg(member.name)
                       .arg(automationTypeName(member.type))
                       .arg(QChar(automationTypeSignature(member.type)))
                       .arg(signatureOf(value)));
        return false;
    }
    if (member.type == AutomationType::kBool)
        setBoolProperty(member.id, value.toBool());
    else
        setStringProperty(member.id, value.toString());
    return true;
}

QDBusVariant DocumentAutomation::readProperty(const QString& interface, const QString& name) {
    noteCaller();
    const AutomationMember* member = propertyNamed(interface, name);
    if (member == nullptr) return noResult();
    return QDBusVariant(propertyValue(*member));
}

void DocumentAutomation::writeProperty(const QString& interface, const QString& name,
                                       const QVariant& value) {
    noteCaller();
    if (const AutomationMember* member = propertyNamed(interface, name))
        storeProperty(*member, value);
}

QVariantMap DocumentAutomation::readAllProperties(const QString& interface) {
    noteCaller();
    QVariantMap values;
    if (!interface.isEmpty() && interface != kInterface) return values;
    for (const AutomationMember& member : automationMembers())
        if (member.isProperty()) values.insert(member.name, propertyValue(member));
    return values;
}

QDBusVariant DocumentAutomation::rejectCall(const QString& message) {
    sendErrorReply(kInvalidArgs, message);
    return noResult();
}

// No argument reads the property, one writes it.
QDBusVariant DocumentAutomation::invokeProperty(const AutomationMember& member,
                                                const QVariantList& arguments) {
    if (arguments.isEmpty()) {
        if (member.type == AutomationType::kBool) return QDBusVariant(boolProperty(member.id));
        return QDBusVariant(stringProperty(member.id));
    }
    const AutomationType expected[] = {member.type};
    const QString mismatch = argumentMismatch(member, arguments, 1, expected);
    if (!mismatch.isEmpty())
        return rejectCall(mismatch + " (no argument reads the property, one writes it)");
    storeProperty(member, unwrapped(arguments[0]));
    return noResult();
}

QDBusVariant DocumentAutomation::invokeMethod(const AutomationMember& member,
                                              const QVariantList& arguments) {
    const QString mismatch =
        argumentMismatch(member, arguments, member.argumentCount(), member.arguments);
    if (!mismatch.isEmpty()) return rejectCall(mismatch);
    const auto argument = [&arguments](int index) { return unwrapped(arguments[index]); };
    switch (member.id) {
        case 9:
            return QDBusVariant(OpenDocument(argument(0).toString()));
        case 10:
            return QDBusVariant(GetUserCtrl());
        case 11:
            SetUserCtrl(argument(0).toBool());
            break;
        case 12:
            UpdateSearchAndDisplay(argument(0).toString(), argument(1).toBool());
            break;
        case 13:
            return QDBusVariant(GetVersion());
        case 14:
            SetLoomProcessName(argument(0).toString());
            break;
        default:
            break;
    }
    return noResult();
}

void DocumentAutomation::Release() {
    if (calledFromDBus()) m_clients.release(message().service());
}
