#pragma once

#include <map>
#include <string>
#include <tuple>
#include <variant>

#include "ISettingsStore.h"

// Settings held in memory, typed as written; for tests and for runs that must not touch the
// user's files.
class MemorySettingsStore : public ISettingsStore {
public:
    std::optional<int> readInteger(SettingsScope scope, const std::string& section,
                                   const std::string& key) const override;
    std::optional<std::string> readString(SettingsScope scope, const std::string& section,
                                          const std::string& key) const override;
    void writeInteger(SettingsScope scope, const std::string& section, const std::string& key,
                      int value) override;
    void writeString(SettingsScope scope, const std::string& section, const std::string& key,
                     const std::string& value) override;

    bool contains(SettingsScope scope, const std::string& section, const std::string& key) const;
    void clear() { m_values.clear(); }

private:
    using Key = std::tuple<SettingsScope, std::string, std::string>;
    std::map<Key, std::variant<int, std::string>> m_values;
};
