#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "SharedProfileSettings.h"

namespace {

constexpr SettingsScope kAdapter = SettingsScope::kAdapter;
constexpr SettingsScope kLanguage = SettingsScope::kLanguage;

// On unless the value is "False" in any case; an integer is the wrong type, so the default
// "False" applies; the same key in the program's own profile does not count.
TEST(LoggingSwitchTest, IsOnOnlyForAFamilyTextOtherThanFalse) {
    MemorySettingsStore store;
    EXPECT_FALSE(readLoggingSwitch(store));
    store.writeString(SettingsScope::kProfile, "Adapter", "Logging", "True");
    EXPECT_FALSE(readLoggingSwitch(store));
    for (const auto& [value, on] : {std::pair{"fAlSe", false}, {"True", true}, {"", true}}) {
        store.writeString(kAdapter, "Adapter", "Logging", value);
        EXPECT_EQ(readLoggingSwitch(store), on) << value;
    }
    store.writeInteger(kAdapter, "Adapter", "Logging", 1);
    EXPECT_FALSE(readLoggingSwitch(store));
}

TEST(LanguagePreferenceTest, BuiltInForAbsentOrEnglishInAnyCaseElseTheLanguageAndItsLevel) {
    MemorySettingsStore store;
    EXPECT_TRUE(readLanguagePreference(store).builtIn);
    EXPECT_EQ(readLanguagePreference(store).ReportingLevel, 1);
    store.writeString(kLanguage, "Settings", "Language", "enu");
    EXPECT_TRUE(readLanguagePreference(store).builtIn);
    store.writeString(kLanguage, "Settings", "Language", "DEU");
    store.writeInteger(kLanguage, "Settings", "ReportingLevel", 0);
    const LanguagePreference preference = readLanguagePreference(store);
    EXPECT_FALSE(preference.builtIn);
    EXPECT_EQ(preference.Language, "DEU");
    EXPECT_EQ(preference.ReportingLevel, 0);
}

}  // namespace
