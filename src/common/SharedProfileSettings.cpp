#include "SharedProfileSettings.h"

#include "AsciiCase.h"

bool readLoggingSwitch(const ISettingsStore& store) {
    const std::string value =
        store.getString(SettingsScope::kAdapter, "Adapter", "Logging", "False");
    return !equalsIgnoreAsciiCase(value, "False");
}

LanguagePreference readLanguagePreference(const ISettingsStore& store) {
    LanguagePreference preference;
    const auto language = store.readString(SettingsScope::kLanguage, "Settings", "Language");
    if (language) preference.Language = *language;
    preference.builtIn = !language || equalsIgnoreAsciiCase(preference.Language, "ENU");
    preference.ReportingLevel =
        store.getInteger(SettingsScope::kLanguage, "Settings", "ReportingLevel", 1);
    return preference;
}
