#include <tuple>

#include "AppTestSupport.h"
#include "DocumentSettings.h"
#include "QSettingsStore.h"

namespace {

using apptest::qt;
constexpr SettingsScope kProfile = SettingsScope::kProfile;

using testsupport::fileText;

TEST(QSettingsStoreTest, HonoursXdgConfigHomeAndKeepsEachScopeInItsOwnFile) {
    testsupport::TempFolder config;
    const apptest::ScopedEnvironment xdg("XDG_CONFIG_HOME", config.path());
    {
        QSettingsStore store;
        EXPECT_EQ(store.folder(), qt(config.path() + "/Orvane"));
        store.writeInteger(kProfile, "Options", "Decimals", 7);
        store.writeString(kProfile, "Frame/X", "State", "abc");
        store.writeString(SettingsScope::kAdapter, "Adapter", "Logging", "True");
        store.writeString(SettingsScope::kLanguage, "Settings", "Language", "DEU");
    }
    const std::string profile = fileText(config / "Orvane/Norva.ini");
    EXPECT_NE(profile.find("[Options]\nDecimals=7"), std::string::npos) << profile;
    EXPECT_NE(profile.find("[Frame]\nX\\State=abc"), std::string::npos) << profile;
    EXPECT_NE(fileText(config / "Orvane/TarnWin.ini").find("[Adapter]\nLogging=True"),
              std::string::npos);
    EXPECT_NE(fileText(config / "Orvane/LangPref.ini").find("[Settings]\nLanguage=DEU"),
              std::string::npos);
    // Without it, ~/.config.
    const apptest::ScopedEnvironment unset("XDG_CONFIG_HOME", "");
    const apptest::ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(QSettingsStore::defaultFolder(), "/home/someone/.config/Orvane");
}

TEST(QSettingsStoreTest, ReadsHandWrittenValuesWithTheirTypesAndKeepsDocumentSettings) {
    testsupport::TempFolder config;
    config.write("Norva.ini",
                 "[Options]\nDecimals=x7\nFilter= 1 \nSearch=a,b\n"
                 "[Frame]\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\n");
    const QSettingsStore store(qt(config.path()));
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Decimals"), std::nullopt);
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Filter"), 1);
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Search"), std::nullopt);
    EXPECT_EQ(store.readString(kProfile, "Options", "Search"), "a,b");
    EXPECT_EQ(store.readString(kProfile, "Frame", "WindowPos"), "0,1,-1,-1,-1,-1,10,20,300,400");
    EXPECT_EQ(store.readString(kProfile, "Options", "Absent"), std::nullopt);
    EXPECT_EQ(readDocumentSettings(store).Decimals, 5);

    DocumentSettings settings;
    settings.Search = "ROW, with comma";
    settings.SmallCoef = 1.5e-7;
    settings.LoomHostName = " spaced ";
    {
        QSettingsStore writer(qt(config.path()));
        writeDocumentSettings(writer, settings);
    }
    const QSettingsStore reader(qt(config.path()));
    const DocumentSettings back = readDocumentSettings(reader);
    EXPECT_EQ(std::tie(back.Search, back.SmallCoef, back.LoomHostName),
              std::tie(settings.Search, settings.SmallCoef, settings.LoomHostName));
    EXPECT_EQ(reader.readString(kProfile, "Options", "SmallCoef"), "1.5e-07");
}

}  // namespace
