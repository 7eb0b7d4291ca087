#pragma once

#include <QString>
#include <memory>

#include "ISettingsStore.h"

class QSettings;

// The settings in INI files under the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config) in "Orvane/": Norva.ini for the program's profile, TarnWin.ini and LangPref.ini
// for the two profiles of the product family. Integers are stored as decimal text; a text that
// is not a whole decimal integer reads as absent. Writes reach the disk at the latest when the
// store is destroyed.
class QSettingsStore : public ISettingsStore {
public:
    // folder: where the three files live; empty means the user's "Orvane" folder.
    explicit QSettingsStore(const QString& folder = QString());
    ~QSettingsStore() override;

    std::optional<int> readInteger(SettingsScope scope, const std::string& section,
                                   const std::string& key) const override;
    std::optional<std::string> readString(SettingsScope scope, const std::string& section,
                                          const std::string& key) const override;
    void writeInteger(SettingsScope scope, const std::string& section, const std::string& key,
                      int value) override;
    void writeString(SettingsScope scope, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // Writes pending changes to the files.
    void sync();

    const QString& folder() const { return m_folder; }

    // $XDG_CONFIG_HOME/Orvane, or ~/.config/Orvane when the variable is unset or empty.
    static QString defaultFolder();

private:
    QSettings& file(SettingsScope scope) const;

    QString m_folder;
    std::unique_ptr<QSettings> m_profile;
    std::unique_ptr<QSettings> m_adapter;
    std::unique_ptr<QSettings> m_language;
};
