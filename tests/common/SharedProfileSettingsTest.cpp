#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "SharedProfileSettings.h"

namespace {

constexpr SettingsScope kAdapter = SettingsScope::kAdapter;
constexpr SettingsScope kLanguage = SettingsScope::kLanguage;

TEST(LoggingSwitchTest, IsOffUnlessTheValueDiffersFromFalse) {
    MemorySettingsStore store;
    EXPECT_FALSE(readLoggingSwitch(store));
    store.writeString(kAdapter, "Adapter", "Logging", "fAlSe");
    EXPECT_FALSE(readLoggingSwitch(store));
    store.writeString(kAdapter, "Adapter", "Logging", "True");
    EXPECT_TRUE(readLoggingSwitch(store));
    store.writeString(kAdapter, "Adapter", "Logging", "");
    EXPECT_TRUE(readLoggingSwitch(store));
    // An integer is the wrong type: the default "False" applies.
    store.writeInteger(kAdapter, "Adapter", "Logging", 1);
    EXPECT_FALSE(readLoggingSwitch(store));
}

TEST(LoggingSwitchTest, IgnoresTheSameKeyInTheProgramsOwnProfile) {
    MemorySettingsStore store;
    store.writeString(SettingsScope::kProfile, "Adapter", "Logging", "True");
    EXPECT_FALSE(readLoggingSwitch(store));
}

TEST(LanguagePreferenceTest, UsesBuiltInTextsForAbsentOrEnglishInAnyCase) {
    MemorySettingsStore store;
    LanguagePreference preference = readLanguagePreference(store);
    EXPECT_TRUE(preference.builtIn);
    EXPECT_EQ(preference.ReportingLevel, 1);
    store.writeString(kLanguage, "Settings", "Language", "enu");
    EXPECT_TRUE(readLanguagePreference(store).builtIn);
}

TEST(LanguagePreferenceTest, ReadsAnotherLanguageAndItsReportingLevel) {
    MemorySettingsStore store;
    store.writeString(kLanguage, "Settings", "Language", "DEU");
    store.writeInteger(kLanguage, "Settings", "ReportingLevel", 0);
    const LanguagePreference preference = readLanguagePreference(store);
    EXPECT_FALSE(preference.builtIn);
    EXPECT_EQ(preference.Language, "DEU");
    EXPECT_EQ(preference.ReportingLevel, 0);
}

}  // namespace
