#include <QFile>
#include <QTranslator>

#include "AppStrings.h"
#include "AppTestSupport.h"
#include "LanguageFile.h"

namespace {

using apptest::qt;

class LanguageFileTest : public ::testing::Test {
protected:
    LanguageOutcome load(const char* language, int reportingLevel) {
        LanguagePreference preference;
        preference.Language = language;
        preference.builtIn = false;
        preference.ReportingLevel = reportingLevel;
        return loadLanguageFile(preference, qt(folder.path()), "norva", translator, ui);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }

    testsupport::TempFolder folder;
    QTranslator translator;
    apptest::MessageLog ui;
};

TEST_F(LanguageFileTest, EnglishLoadsNothingAndAMissingFileIsReportedOnlyAtLevelZero) {
    EXPECT_EQ(loadLanguageFile({}, qt(folder.path()), "norva", translator, ui),
              LanguageOutcome::kBuiltIn);
    EXPECT_EQ(load("DEU", 0), LanguageOutcome::kMissing);
    ASSERT_EQ(ui.all.size(), 1u);
    EXPECT_EQ(ui.all[0], "|Can't find DLL \"DEU_norva.qm\"");
    EXPECT_EQ(load("DEU", -3), LanguageOutcome::kMissing);
    EXPECT_EQ(ui.all.size(), 2u);
    EXPECT_EQ(load("DEU", 1), LanguageOutcome::kMissing);
    EXPECT_EQ(load("DEU", 2), LanguageOutcome::kMissing);
    EXPECT_EQ(ui.all.size(), 2u);
}

TEST_F(LanguageFileTest, UnloadableFileIsReportedUpToLevelOne) {
    folder.write("FRA_norva.qm", "this is not a translation file");
    EXPECT_EQ(load("FRA", 1), LanguageOutcome::kUnloadable);
    ASSERT_EQ(ui.all.size(), 1u);
    EXPECT_EQ(ui.all[0], "|LoadLibrary failure for DLL \"FRA_norva.qm\"");
    EXPECT_EQ(load("FRA", 0), LanguageOutcome::kUnloadable);
    EXPECT_EQ(ui.all.size(), 2u);
    EXPECT_EQ(load("FRA", 2), LanguageOutcome::kUnloadable);
    EXPECT_EQ(ui.all.size(), 2u);
}

TEST_F(LanguageFileTest, LoadedFileTranslatesTheProgramsTexts) {
    ASSERT_TRUE(QFile::copy(NORVA_TEST_QM_PATH, qt(folder / "DEU_norva.qm")));
    EXPECT_EQ(load("DEU", 0), LanguageOutcome::kLoaded);
    EXPECT_EQ(ui.messageCount, 0);
    EXPECT_EQ(appstrings::text(appstrings::kOpenMatrixFirst),
              QString::fromUtf8("Zuerst eine MPS-, ORB- oder CAS-Datei öffnen"));
    // A text the file lacks keeps its built-in wording.
    EXPECT_EQ(appstrings::text(appstrings::kHelpNotLaunched),
              appstrings::builtIn(appstrings::kHelpNotLaunched));
}

}  // namespace
