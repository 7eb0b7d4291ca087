#include <QFileInfo>
#include <QPrinterInfo>

#include "AppTestSupport.h"
#include "CAboutDlg.h"
#include "ProgramVersion.h"

namespace {

using apptest::qt;
using CNorvaAppTest = apptest::AppTest;
constexpr SettingsScope kProfile = SettingsScope::kProfile;

TEST_F(CNorvaAppTest, OpenFollowsTheFileWithTitleDirectoryAndRecentList) {
    CNorvaApp& norva = started();
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(frame().windowTitle(), "Norva - Matrix Analysis Program");
    EXPECT_FALSE(frame().actions().openSolution->isEnabled());
    const std::string path = smallModel();
    frame().statusBar()->showMessage("old text");
    ASSERT_EQ(norva.openMatrixPath(path), norva.document()) << ui.lastMessage;
    EXPECT_TRUE(frame().actions().openSolution->isEnabled());
    EXPECT_EQ(frame().windowTitle(), "small.mps - Matrix Analysis Program");
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(qt(folder.path())).canonicalFilePath());
    EXPECT_EQ(frame().statusBar()->currentMessage(), "");
    EXPECT_EQ(norva.recentFiles().entries().front(),
              QFileInfo(qt(path)).absoluteFilePath().toStdString());
    EXPECT_EQ(store.readString(kProfile, "Recent File List", "File1"),
              norva.recentFiles().entries().front());
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(CNorvaAppTest, AFailedSolutionOpenRepaintsBehindItsMessageWithoutTheClearedModel) {
    CNorvaApp& norva = withSmallModel();
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

// A recent solution before any matrix asks for a matrix first and stays; an entry that no
// longer opens leaves the list.
TEST_F(CNorvaAppTest, RecentEntriesThatCannotOpenSayWhy) {
    store.writeString(kProfile, "Recent File List", "File1", folder / "KNLP_Solution.001");
    store.writeString(kProfile, "Recent File List", "File2", folder / "gone.mps");
    smallSolution();
    CNorvaApp& norva = started();
    norva.OnOpenRecentFile(0);
    EXPECT_EQ(ui.all, std::vector<std::string>{"Warning|Open an MPS / ORB / CAS file first"});
    EXPECT_FALSE(norva.flags().openAsSolution);
    EXPECT_EQ(norva.recentFiles().entries().size(), 2u);
    norva.OnOpenRecentFile(1);
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_NE(ui.lastMessage.find("gone.mps"), std::string::npos) << ui.lastMessage;
    EXPECT_EQ(norva.recentFiles().entries(),
              std::vector<std::string>{folder / "KNLP_Solution.001"});
    EXPECT_EQ(store.readString(kProfile, "Recent File List", "File2"), "");
    EXPECT_EQ(norva.frame()->windowTitle(), "Norva - Matrix Analysis Program");
}

TEST_F(CNorvaAppTest, SolutionOpenNamesBothFilesAndRecentEntriesFollowTheMatrixAndSolutionRule) {
    CNorvaApp& norva = withSmallModel();
    ASSERT_NE(norva.openSolutionPath(smallSolution()), nullptr) << ui.lastMessage;
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

TEST_F(CNorvaAppTest, StartReportsTheLanguageOpensTheCommandLineFileAndExitWritesSettings) {
    store.writeString(SettingsScope::kLanguage, "Settings", "Language", "DEU");
    store.writeInteger(SettingsScope::kLanguage, "Settings", "ReportingLevel", 0);
    started().document()->settings().Decimals = 9;
    ASSERT_FALSE(ui.all.empty());
    EXPECT_EQ(ui.all.front(), "|Can't find DLL \"DEU_norva.qm\"");
    EXPECT_FALSE(store.contains(kProfile, "Options", "Decimals"));
    destroyApp();
    EXPECT_EQ(store.readInteger(kProfile, "Options", "Decimals"), 9);
    EXPECT_NE(started({qt(smallModel())}).document(), nullptr);
    EXPECT_TRUE(app().flags().matrixLoaded);
}

// Each ends the start with its exit code and message, leaving neither PDF nor listing behind.
// The tests have no session bus: no viewer is served, and the automation start must say so and
// end, not wait for clients that cannot come (the start on a bus is tested in tests/bus).
TEST_F(CNorvaAppTest, FailedStartsEndWithTheirExitCodeAndRegistrationStartsEndWithZero) {
    const apptest::ScopedEnvironment noBus("DBUS_SESSION_BUS_ADDRESS",
                                           "unix:path=" + (folder / "no-bus"));
    std::filesystem::create_directory(folder / "taken.pdf");
    const QString pdf = qt(folder / "a.pdf"), mps = qt(smallModel());
    const std::tuple<QStringList, int, std::string> cases[] = {
        {{qt(folder / "missing.mps")}, 1, "missing.mps"},
        {{"--nonsense"}, 2, ""},
        {{"--print-to-pdf", pdf, mps, "--row", "NOSUCH"}, 1, "has no row named 'NOSUCH'"},
        {{"--print-to-pdf", pdf, mps, "--col", "LIM"}, 1, "has no column named 'LIM'"},
        {{"--print-to-pdf", qt(folder / "taken.pdf"), mps}, 1, "taken.pdf\": Is a directory"},
        {{"--print-to-pdf", pdf, qt(folder / "missing.mps")}, 1, ""},
        {{"--print-to", "NoSuchPrinter_4711", mps},
         1,
         "There is no printer named \"NoSuchPrinter_4711\"."},
        {{"/p", mps}, 1, "The listing could not be printed: no printer is installed or chosen."},
        {{"/Automation"}, 1, ""}};
    // A machine with a printer would really print with /p.
    const bool printerInstalled = !QPrinterInfo::availablePrinterNames().isEmpty();
    for (const auto& [arguments, exitCode, message] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        if (printerInstalled && arguments[0] == "/p") continue;
        testing::internal::CaptureStderr();
        const CNorvaApp::StartResult result = start(arguments);
        const std::string errors = testing::internal::GetCapturedStderr() + ui.lastMessage;
        EXPECT_EQ(std::pair(result.keepRunning, result.exitCode), std::pair(false, exitCode));
        EXPECT_EQ(app().frame() == nullptr, exitCode == 2);
        EXPECT_NE(errors.find(message), std::string::npos) << errors;
        EXPECT_FALSE(std::filesystem::exists(folder / "a.pdf"));
        EXPECT_FALSE(std::filesystem::exists(folder / "MLIST.TMP"));
    }
    EXPECT_EQ(app().automation(), nullptr);
    ASSERT_NE(app().frame(), nullptr);
    EXPECT_FALSE(app().frame()->isVisible());
    const apptest::ScopedEnvironment data("XDG_DATA_HOME", folder / "data");
    const CNorvaApp::StartResult registered = start({"--register"});
    EXPECT_EQ(std::pair(registered.keepRunning, registered.exitCode), std::pair(false, 0));
    EXPECT_TRUE(QFileInfo::exists(qt(folder / "data/applications/norva.desktop")));
    EXPECT_EQ(start({"/Unregister"}).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(qt(folder / "data/applications/norva.desktop")));
}

TEST_F(CNorvaAppTest, HelpTopicsAndTheSupportPageOpenTheirAddresses) {
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
    openedUrls.clear();
    started().OnSupportPage();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl(CNorvaApp::supportAddress()));
    EXPECT_TRUE(openedUrls[0].isValid());
}

TEST(CAboutDlgTest, ShowsTheProgramsVersion) {
    const CAboutDlg box(CAboutDlg::nameAndVersionText(programVersionText()));
    EXPECT_TRUE(box.shownNameAndVersion().endsWith(QString("(") + programVersionText() + ")"));
}

}  // namespace
