#pragma once

#include <optional>
#include <string>

// Which settings file a value lives in: the program's own profile, or one of the two profiles
// that the product family shares and this program only reads.
enum class SettingsScope {
    kProfile,   // the program's profile: sections "Options", "Frame", "Frame/X", recent files
    kAdapter,   // the family's connection adapter: section "Adapter"
    kLanguage,  // the family's language choice: section "Settings"
};

// A persistent store of named integers and strings, grouped by scope and section. A value that
// is absent or stored with the other type reads as absent, so callers fall back to defaults.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    virtual std::optional<int> readInteger(SettingsScope scope, const std::string& section,
                                           const std::string& key) const = 0;
    virtual std::optional<std::string> readString(SettingsScope scope, const std::string& section,
                                                  const std::string& key) const = 0;
    virtual void writeInteger(SettingsScope scope, const std::string& section,
                              const std::string& key, int value) = 0;
    virtual void writeString(SettingsScope scope, const std::string& section,
                             const std::string& key, const std::string& value) = 0;

    int getInteger(SettingsScope scope, const std::string& section, const std::string& key,
                   int fallback) const {
        return readInteger(scope, section, key).value_or(fallback);
    }
    std::string getString(SettingsScope scope, const std::string& section, const std::string& key,
                          const std::string& fallback) const {
        return readString(scope, section, key).value_or(fallback);
    }
};
