#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <filesystem>
#include <memory>

#include "AppTestSupport.h"
#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaDoc.h"
#include "CRowFormView.h"
#include "MemorySettingsStore.h"
#include "ProgramVersion.h"

namespace {

using apptest::qt;
constexpr SettingsScope kProfile = SettingsScope::kProfile;

class CNorvaAppTest : public ::testing::Test {
protected:
    CNorvaApp& app() {
        if (!m_app) {
            m_app = std::make_unique<CNorvaApp>(store, ui, qt(folder / "bin/norva"));
            m_app->setUrlOpener([this](const QUrl& url) {
                openedUrls.push_back(url);
                return true;
            });
        }
        return *m_app;
    }
    CNorvaApp& started(const QStringList& arguments = {}) {
        const CNorvaApp::StartResult result = app().InitInstance(arguments);
        EXPECT_TRUE(result.keepRunning);
        return app();
    }
    std::string writeModel() { return folder.write("small.mps", apptest::kSmallMps); }
    std::string writeSolution() {
        return folder.write("KNLP_Solution.001", "h\nh\nh\nX 0.5\nY 4\n");
    }
    void destroyApp() { m_app.reset(); }

    testsupport::TempFolder folder;
    MemorySettingsStore store;
    apptest::MessageLog ui;
    std::vector<QUrl> openedUrls;

private:
    apptest::CurrentDirectoryGuard m_directory;
    std::unique_ptr<CNorvaApp> m_app;
};

TEST_F(CNorvaAppTest, StartsWithAnEmptyDocumentAndOpenSolutionDisabled) {
    CNorvaApp& norva = started();
    ASSERT_NE(norva.frame(), nullptr);
    EXPECT_TRUE(norva.frame()->isVisible());
    EXPECT_EQ(norva.frame()->windowTitle(), "Norva - Matrix Analysis Program");
    EXPECT_FALSE(norva.frame()->actions().openSolution->isEnabled());
    ASSERT_NE(norva.openMatrixPath(writeModel()), nullptr) << ui.lastMessage;
    EXPECT_TRUE(norva.frame()->actions().openSolution->isEnabled());
}

TEST_F(CNorvaAppTest, OpenFollowsTheFileWithTitleDirectoryAndRecentList) {
    CNorvaApp& norva = started();
    const std::string path = writeModel();
    norva.frame()->statusBar()->showMessage("old text");
    ASSERT_EQ(norva.openMatrixPath(path), norva.document());
    EXPECT_EQ(norva.frame()->windowTitle(), "small.mps - Matrix Analysis Program");
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(qt(folder.path())).canonicalFilePath());
    EXPECT_EQ(norva.frame()->statusBar()->currentMessage(), "");
    EXPECT_EQ(norva.recentFiles().entries().front(),
              QFileInfo(qt(path)).absoluteFilePath().toStdString());
    EXPECT_EQ(store.readString(kProfile, "Recent File List", "File1"),
              norva.recentFiles().entries().front());
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(CNorvaAppTest, AFailedSolutionOpenRepaintsBehindItsMessageWithoutTheClearedModel) {
    CNorvaApp& norva = started();
    ASSERT_NE(norva.openMatrixPath(writeModel()), nullptr) << ui.lastMessage;
    CRowFormView& view = *norva.detailView();
    ASSERT_FALSE(view.nameList()->currentText().isEmpty());
    QString nameDuringMessage = "not painted";
    ui.whileShown = [&] {
        norva.frame()->grab();
        nameDuringMessage = view.nameList()->currentText();
    };
    EXPECT_EQ(norva.openSolutionPath(folder / "missing.001"), nullptr);
    ui.whileShown = nullptr;
    EXPECT_TRUE(nameDuringMessage.isEmpty()) << nameDuringMessage.toStdString();
    EXPECT_EQ(view.nameList()->count(), 0);
}

TEST_F(CNorvaAppTest, RecentSolutionBeforeAnyMatrixAsksForAMatrixFirst) {
    store.writeString(kProfile, "Recent File List", "File1", folder / "KNLP_Solution.001");
    writeSolution();
    CNorvaApp& norva = started();
    norva.OnOpenRecentFile(0);
    ASSERT_EQ(ui.messageCount, 1);
    EXPECT_EQ(ui.lastCaption, "Warning");
    EXPECT_EQ(ui.lastMessage, "Open an MPS / ORB / CAS file first");
    EXPECT_FALSE(norva.flags().openAsSolution);
    EXPECT_EQ(norva.recentFiles().entries().size(), 1u);
}

TEST_F(CNorvaAppTest, SolutionOpenNamesBothFilesAndRecentEntriesFollowTheMatrixAndSolutionRule) {
    CNorvaApp& norva = started();
    ASSERT_NE(norva.openMatrixPath(writeModel()), nullptr);
    ASSERT_NE(norva.openSolutionPath(writeSolution()), nullptr) << ui.lastMessage;
    EXPECT_EQ(norva.frame()->windowTitle(), "small.mps - KNLP_Solution.001");
    EXPECT_TRUE(norva.flags().openAsSolution);
    // Newest first: the solution, then the matrix.
    ASSERT_EQ(norva.recentFiles().entries().size(), 2u);
    norva.OnOpenRecentFile(1);
    EXPECT_FALSE(norva.flags().openAsSolution);
    EXPECT_EQ(norva.frame()->windowTitle(), "small.mps - Matrix Analysis Program");
    // Reopening moved the matrix first.
    ASSERT_EQ(norva.recentFiles().entries()[1], folder / "KNLP_Solution.001");
    norva.OnOpenRecentFile(1);
    EXPECT_TRUE(norva.flags().openAsSolution);
    EXPECT_EQ(norva.frame()->windowTitle(), "small.mps - KNLP_Solution.001");
    EXPECT_EQ(ui.messageCount, 0) << ui.lastMessage;
}

TEST_F(CNorvaAppTest, RecentEntryThatNoLongerOpensLeavesTheList) {
    store.writeString(kProfile, "Recent File List", "File1", folder / "gone.mps");
    CNorvaApp& norva = started();
    norva.OnOpenRecentFile(0);
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_NE(ui.lastMessage.find("gone.mps"), std::string::npos) << ui.lastMessage;
    EXPECT_TRUE(norva.recentFiles().entries().empty());
    EXPECT_EQ(store.readString(kProfile, "Recent File List", "File1"), "");
    EXPECT_EQ(norva.frame()->windowTitle(), "Norva - Matrix Analysis Program");
}

TEST_F(CNorvaAppTest, CommandLineFileIsOpenedAndAFailureEndsTheStart) {
    EXPECT_NE(started({qt(writeModel())}).document(), nullptr);
    EXPECT_TRUE(app().flags().matrixLoaded);
    destroyApp();
    const CNorvaApp::StartResult failed = app().InitInstance({qt(folder / "missing.mps")});
    EXPECT_FALSE(failed.keepRunning);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(ui.lastMessage.find("missing.mps"), std::string::npos) << ui.lastMessage;
}

TEST_F(CNorvaAppTest, UnknownOptionEndsTheStartWithUsage) {
    const CNorvaApp::StartResult result = app().InitInstance({"--nonsense"});
    EXPECT_FALSE(result.keepRunning);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(app().frame(), nullptr);
}

// These tests have no session bus: the automation start must say so and end, not wait for
// clients that cannot come. The start on a bus is tested in tests/bus.
TEST_F(CNorvaAppTest, AutomationStartWithoutASessionBusEnds) {
    const apptest::ScopedEnvironment noBus("DBUS_SESSION_BUS_ADDRESS",
                                           "unix:path=" + (folder / "no-bus"));
    const CNorvaApp::StartResult result = app().InitInstance({"/Automation"});
    EXPECT_FALSE(result.keepRunning);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(app().automation(), nullptr);
    ASSERT_NE(app().frame(), nullptr);
    EXPECT_FALSE(app().frame()->isVisible());
}

TEST_F(CNorvaAppTest, RegisterAndUnregisterWriteAndRemoveTheDesktopFiles) {
    const apptest::ScopedEnvironment data("XDG_DATA_HOME", folder / "data");
    const CNorvaApp::StartResult registered = app().InitInstance({"--register"});
    EXPECT_FALSE(registered.keepRunning);
    EXPECT_EQ(registered.exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(qt(folder / "data/applications/norva.desktop")));
    EXPECT_TRUE(QFileInfo::exists(qt(folder / "data/mime/packages/norva-mps.xml")));
    EXPECT_TRUE(QFileInfo::exists(qt(folder / "data/dbus-1/services/Norva.Document.service")));
    destroyApp();
    const CNorvaApp::StartResult removed = app().InitInstance({"/Unregister"});
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(qt(folder / "data/applications/norva.desktop")));
    EXPECT_FALSE(QFileInfo::exists(qt(folder / "data/mime/packages/norva-mps.xml")));
}

TEST_F(CNorvaAppTest, LanguageFileMissingAtLevelZeroIsReportedAtStart) {
    store.writeString(SettingsScope::kLanguage, "Settings", "Language", "DEU");
    store.writeInteger(SettingsScope::kLanguage, "Settings", "ReportingLevel", 0);
    started();
    EXPECT_EQ(ui.all.front(), "|Can't find DLL \"DEU_norva.qm\"");
}

TEST_F(CNorvaAppTest, DocumentSettingsAreWrittenAtExit) {
    started().document()->settings().Decimals = 9;
    EXPECT_FALSE(store.contains(kProfile, "Options", "Decimals"));
    destroyApp();
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Decimals"), 9);
}

TEST_F(CNorvaAppTest, HelpTopicsOpensTheHelpBesideTheProgramOrSaysItCannot) {
    CNorvaApp& norva = started();
    norva.OnHelpTopics();
    EXPECT_TRUE(openedUrls.empty());
    const std::string index = folder / "bin/help/index.html";
    EXPECT_EQ(ui.lastMessage, "Unable to launch the help for this program.\n\nThe help file " +
                                  index + " is missing.");
    std::filesystem::create_directories(folder / "bin/help");
    folder.write("bin/help/index.html", "<html></html>");
    norva.OnHelpTopics();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(qt(index)));
    // No browser: the message names the file to open by hand.
    norva.setUrlOpener([](const QUrl&) { return false; });
    norva.OnHelpTopics();
    EXPECT_EQ(ui.lastMessage,
              "Unable to launch the help for this program.\n\nThe help is the file " + index +
                  "; open it in a web browser.");
}

TEST_F(CNorvaAppTest, SupportPageOpensTheCompiledInAddress) {
    started().OnSupportPage();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl(CNorvaApp::supportAddress()));
    EXPECT_TRUE(openedUrls[0].isValid());
}

TEST(CAboutDlgTest, ShowsNameMajorLabelAndVersion) {
    EXPECT_EQ(CAboutDlg::nameAndVersionText("12.3.4.5"), "Matrix Analysis Program V12 (12.3.4.5)");
    EXPECT_EQ(CAboutDlg::nameAndVersionText(""), "Matrix Analysis Program V12 ()");
    const CAboutDlg box(CAboutDlg::nameAndVersionText(programVersionText()));
    EXPECT_EQ(box.windowTitle(), "About Norva");
    EXPECT_EQ(box.shownNameAndVersion(),
              QString("Matrix Analysis Program V12 (") + programVersionText() + ")");
}

}  // namespace
