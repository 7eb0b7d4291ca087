#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "DocumentSettings.h"
#include "IUserInterface.h"
#include "LocaleGuard.h"
#include "MemorySettingsStore.h"
#include "SettingNumber.h"
#include "TestData.h"

namespace {

constexpr SettingsScope kProfile = SettingsScope::kProfile;

class OrderRecordingStore : public MemorySettingsStore {
public:
    void writeInteger(SettingsScope scope, const std::string& section, const std::string& key,
                      int value) override {
        keys.push_back(key);
        MemorySettingsStore::writeInteger(scope, section, key, value);
    }
    void writeString(SettingsScope scope, const std::string& section, const std::string& key,
                     const std::string& value) override {
        keys.push_back(key);
        MemorySettingsStore::writeString(scope, section, key, value);
    }
    std::vector<std::string> keys;
};

std::string stored(const ISettingsStore& store, const std::string& key) {
    return store.getString(kProfile, "Options", key, "<absent>");
}

// A value of the wrong type reads as the default; a tolerance that does not parse as zero, or
// as far as it parses.
TEST(DocumentSettingsTest, UnreadableValuesReadAsDefaultsOrAsFarAsTheyParse) {
    MemorySettingsStore store;
    store.writeString(kProfile, "Options", "Decimals", "7");
    store.writeInteger(kProfile, "Options", "DatabaseType", 3);
    store.writeInteger(kProfile, "Options", "LargeCoef", 99);
    store.writeString(kProfile, "Options", "SmallCoef", "");
    store.writeString(kProfile, "Options", "LargeRatio", "5e3 and more");
    const DocumentSettings s = readDocumentSettings(store);
    EXPECT_EQ(std::tie(s.Decimals, s.DatabaseType, s.LargeCoef, s.SmallCoef, s.LargeRatio),
              std::tuple(5, std::string("Access"), 1e7, 0.0, 5e3));
    store.writeString(kProfile, "Options", "LargeCoef", "big");
    EXPECT_EQ(readDocumentSettings(store).LargeCoef, 0.0);
}

// A store's values in the order written, texts quoted.
std::string listing(const OrderRecordingStore& store) {
    std::string text;
    for (const std::string& key : store.keys) {
        const auto number = store.readInteger(kProfile, "Options", key);
        text +=
            key + ' ' + (number ? std::to_string(*number) : '"' + stored(store, key) + '"') + '\n';
    }
    return text;
}

// Empty database names read as their replacements, which are the defaults. Every value of
// settings.txt differs from its default, so that a value lost on the way shows. Tolerances are
// texts in shortest exact form.
TEST(DocumentSettingsTest, ReplacesEmptyNamesAndWritesEveryValueInOrderWithItsType) {
    MemorySettingsStore empties;
    for (const char* key : {"AccessDatabaseName", "DatabaseType", "DatabaseConnectionType"})
        empties.writeString(kProfile, "Options", key, "");
    OrderRecordingStore defaults, store, again;
    writeDocumentSettings(defaults, readDocumentSettings(empties));
    EXPECT_EQ(listing(defaults), testsupport::testData("common/default_settings.txt"));
    const std::string changed = testsupport::testData("common/settings.txt");
    std::istringstream in(changed);
    for (std::string key, value; in >> key >> value;) {
        if (value.front() == '"')
            store.writeString(kProfile, "Options", key, value.substr(1, value.size() - 2));
        else
            store.writeInteger(kProfile, "Options", key, std::stoi(value));
    }
    writeDocumentSettings(again, readDocumentSettings(store));
    EXPECT_EQ(listing(again), changed);
    std::istringstream defaultLines(listing(defaults)), changedLines(changed);
    for (std::string a, b; std::getline(defaultLines, a) && std::getline(changedLines, b);)
        EXPECT_NE(a, b);
}

TEST(DocumentSettingsTest, CommaLocaleWritesAndReadsItsOwnDecimalSeparator) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    ASSERT_TRUE(locale.active()) << testsupport::kMissingCommaLocale;
    DocumentSettings settings;
    settings.LargeRatio = 0.25;
    MemorySettingsStore store;
    writeDocumentSettings(store, settings);
    EXPECT_EQ(stored(store, "LargeRatio"), "0,25");
    EXPECT_EQ(readDocumentSettings(store).LargeRatio, 0.25);
    // A value stored under a point-decimal locale is read only up to the point.
    EXPECT_EQ(parseSettingNumber("0.25"), 0.0);
}

// The document reads the options when made, takes a new database choice on SettingsChanged,
// and writes every option when destroyed.
TEST(DocumentSettingsLifetimeTest, DocumentReadsFeedsTheOpenAndWritesWhenDestroyed) {
    RecordingUserInterface ui;
    AppFlags flags;
    MemorySettingsStore store;
    store.writeInteger(kProfile, "Options", "Decimals", 3);
    store.writeString(kProfile, "Options", "AccessDatabaseName", "Other.mdb");
    store.writeString(SettingsScope::kAdapter, "Adapter", "Logging", "yes");
    {
        CNorvaDoc doc(ui, flags, nullptr, &store);
        EXPECT_EQ(doc.settings().Decimals, 3);
        EXPECT_TRUE(doc.loggingEnabled());
        EXPECT_EQ(doc.databaseSettings().AccessDatabaseName, "Other.mdb");
        EXPECT_EQ(doc.databaseSettings().DatabaseType, "Access");
        doc.settings().DatabaseType = "SqlServer";
        doc.SettingsChanged();
        EXPECT_EQ(doc.databaseSettings().DatabaseType, "SqlServer");
        store.clear();
        doc.settings().Search = "CAP";
        doc.settings().SmallCoef = 1.5e-7;
    }
    EXPECT_EQ(store.readString(kProfile, "Options", "Search"), "CAP");
    EXPECT_EQ(store.readString(kProfile, "Options", "SmallCoef"), "1.5e-07");
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Decimals"), 3);
    EXPECT_EQ(store.readString(kProfile, "Options", "DatabaseType"), "SqlServer");
    // The logging switch belongs to the family's profile and is never written.
    EXPECT_FALSE(store.contains(SettingsScope::kAdapter, "Adapter", "Logging"));
}

}  // namespace
