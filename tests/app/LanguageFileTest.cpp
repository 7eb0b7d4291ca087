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
        const LanguagePreference preference{language, reportingLevel, false};
        return loadLanguageFile(preference, qt(folder.path()), "norva", translator, ui);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }

    testsupport::TempFolder folder;
    QTranslator translator;
    apptest::MessageLog ui;
};

// English loads nothing; a missing file is reported at level 0 and below, an unloadable one
// at level 1 and below.
TEST_F(LanguageFileTest, FailuresAreReportedUpToTheirLevelAndALoadedFileTranslates) {
    EXPECT_EQ(loadLanguageFile({}, qt(folder.path()), "norva", translator, ui),
              LanguageOutcome::kBuiltIn);
    folder.write("FRA_norva.qm", "this is not a translation file");
    const std::tuple<const char*, LanguageOutcome, int, std::string> cases[] = {
        {"DEU", LanguageOutcome::kMissing, 0, "|Can't find DLL \"DEU_norva.qm\""},
        {"FRA", LanguageOutcome::kUnloadable, 1, "|LoadLibrary failure for DLL \"FRA_norva.qm\""}};
    for (const auto& [language, outcome, highest, message] : cases) {
        for (const int level : {-3, 0, 1, 2}) {
            SCOPED_TRACE(testing::Message() << language << " at " << level);
            ui.all.clear();
            EXPECT_EQ(load(language, level), outcome);
            EXPECT_EQ(ui.all, level <= highest ? std::vector{message} : std::vector<std::string>{});
        }
    }
    ASSERT_TRUE(QFile::copy(NORVA_TEST_QM_PATH, qt(folder / "DEU_norva.qm")));
    EXPECT_EQ(load("DEU", 0), LanguageOutcome::kLoaded);
    EXPECT_TRUE(ui.all.empty());
    EXPECT_EQ(appstrings::text(appstrings::kOpenMatrixFirst),
              QString::fromUtf8("Zuerst eine MPS-, ORB- oder CAS-Datei öffnen"));
    // A text the file lacks keeps its built-in wording.
    EXPECT_EQ(appstrings::text(appstrings::kHelpNotLaunched),
              appstrings::builtIn(appstrings::kHelpNotLaunched));
}

}  // namespace
