#include <gtest/gtest.h>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "MemorySettingsStore.h"

namespace {

constexpr SettingsScope kProfile = SettingsScope::kProfile;

class DocumentSettingsLifetimeTest : public ::testing::Test {
protected:
    RecordingUserInterface ui;
    AppFlags flags;
    MemorySettingsStore store;
};

TEST_F(DocumentSettingsLifetimeTest, DocumentReadsAtConstructionAndFeedsTheOpen) {
    store.writeInteger(kProfile, "Options", "Decimals", 3);
    store.writeString(kProfile, "Options", "DatabaseType", "SqlServer");
    store.writeString(kProfile, "Options", "AccessDatabaseName", "Other.mdb");
    store.writeString(SettingsScope::kAdapter, "Adapter", "Logging", "yes");
    CNorvaDoc doc(ui, flags, nullptr, &store);
    EXPECT_EQ(doc.settings().Decimals, 3);
    EXPECT_TRUE(doc.loggingEnabled());
    EXPECT_EQ(doc.databaseSettings().DatabaseType, "SqlServer");
    EXPECT_EQ(doc.databaseSettings().AccessDatabaseName, "Other.mdb");
}

TEST_F(DocumentSettingsLifetimeTest, DocumentWritesEveryOptionWhenDestroyed) {
    {
        CNorvaDoc doc(ui, flags, nullptr, &store);
        EXPECT_FALSE(store.contains(kProfile, "Options", "Decimals"));
        doc.settings().Search = "CAP";
        doc.settings().SmallCoef = 1.5e-7;
    }
    EXPECT_EQ(store.readString(kProfile, "Options", "Search"), "CAP");
    EXPECT_EQ(store.readString(kProfile, "Options", "SmallCoef"), "1.5e-07");
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Decimals"), 5);
    EXPECT_EQ(store.readString(kProfile, "Options", "AccessDatabaseName"), "Results.mdb");
    // The logging switch belongs to the family's profile and is never written.
    EXPECT_FALSE(store.contains(SettingsScope::kAdapter, "Adapter", "Logging"));
}

TEST_F(DocumentSettingsLifetimeTest, SettingsChangedPassesANewDatabaseChoiceToTheOpen) {
    CNorvaDoc doc(ui, flags, nullptr);
    EXPECT_EQ(doc.databaseSettings().AccessDatabaseName, "Results.mdb");
    doc.settings().DatabaseType = "SqlServer";
    doc.SettingsChanged();
    EXPECT_EQ(doc.databaseSettings().DatabaseType, "SqlServer");
}

}  // namespace
