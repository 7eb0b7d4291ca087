#include "MemorySettingsStore.h"

std::optional<int> MemorySettingsStore::readInteger(SettingsScope scope, const std::string& section,
                                                    const std::string& key) const {
    const auto found = m_values.find(Key(scope, section, key));
    if (found == m_values.end() || !std::holds_alternative<int>(found->second)) return std::nullopt;
    return std::get<int>(found->second);
}

std::optional<std::string> MemorySettingsStore::readString(SettingsScope scope,
                                                           const std::string& section,
                                                           const std::string& key) const {
    const auto found = m_values.find(Key(scope, section, key));
    if (found == m_values.end() || !std::holds_alternative<std::string>(found->second))
        return std::nullopt;
    return std::get<std::string>(found->second);
}

void MemorySettingsStore::writeInteger(SettingsScope scope, const std::string& section,
                                       const std::string& key, int value) {
    m_values[Key(scope, section, key)] = value;
}

void MemorySettingsStore::writeString(SettingsScope scope, const std::string& section,
                                      const std::string& key, const std::string& value) {
    m_values[Key(scope, section, key)] = value;
}

bool MemorySettingsStore::contains(SettingsScope scope, const std::string& section,
                                   const std::string& key) const {
    return m_values.count(Key(scope, section, key)) != 0;
}
