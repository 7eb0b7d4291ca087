#include "QSettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

std::unique_ptr<QSettings> openIni(const QString& folder, const char* name) {
    return std::make_unique<QSettings>(folder + "/" + name, QSettings::IniFormat);
}

QString settingsKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section + "/" + key);
}

// QSettings splits an unquoted INI value at commas into a list; such a value was meant as
// one text, as written by hand ("WindowPos=0,1,...").
QString asText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',');
    return value.toString();
}

}  // namespace

QSettingsStore::QSettingsStore(const QString& folder)
    : m_folder(folder.isEmpty() ? defaultFolder() : folder),
      m_profile(openIni(m_folder, "Norva.ini")),
      m_adapter(openIni(m_folder, "TarnWin.ini")),
      m_language(openIni(m_folder, "LangPref.ini")) {}

QSettingsStore::~QSettingsStore() { sync(); }

QString QSettingsStore::defaultFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return base + "/Orvane";
}

QSettings& QSettingsStore::file(SettingsScope scope) const {
    switch (scope) {
        case SettingsScope::kAdapter:
            return *m_adapter;
        case SettingsScope::kLanguage:
            return *m_language;
        case SettingsScope::kProfile:
            break;
    }
    return *m_profile;
}

std::optional<int> QSettingsStore::readInteger(SettingsScope scope, const std::string& section,
                                               const std::string& key) const {
    const QVariant value = file(scope).value(settingsKey(section, key));
    if (!value.isValid() || value.typeId() == QMetaType::QStringList) return std::nullopt;
    bool isInteger = false;
    const int result = value.toString().trimmed().toInt(&isInteger, 10);
    if (!isInteger) return std::nullopt;
    return result;
}

std::optional<std::string> QSettingsStore::readString(SettingsScope scope,
                                                      const std::string& section,
                                                      const std::string& key) const {
    const QVariant value = file(scope).value(settingsKey(section, key));
    if (!value.isValid()) return std::nullopt;
    return asText(value).toStdString();
}

void QSettingsStore::writeInteger(SettingsScope scope, const std::string& section,
                                  const std::string& key, int value) {
    file(scope).setValue(settingsKey(section, key), value);
}

void QSettingsStore::writeString(SettingsScope scope, const std::string& section,
                                 const std::string& key, const std::string& value) {
    file(scope).setValue(settingsKey(section, key), QString::fromStdString(value));
}

void QSettingsStore::sync() {
    m_profile->sync();
    m_adapter->sync();
    m_language->sync();
}
