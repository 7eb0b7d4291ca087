#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTableView>
#include <filesystem>
#include <memory>

#include "AppTestSupport.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CNorvaView.h"
#include "CRowFormView.h"
#include "MemorySettingsStore.h"

namespace {

using apptest::qt;

// File Print of the desktop program. The test program has no session bus, so no viewer is
// served there.
class PrintCommandsTest : public ::testing::Test {
protected:
    PrintCommandsTest() : m_previousDirectory(QDir::currentPath()) {}
    ~PrintCommandsTest() override { QDir::setCurrent(m_previousDirectory); }

    CNorvaApp& opened() {
        m_app = std::make_unique<CNorvaApp>(store, ui, qt(folder / "bin/norva"));
        EXPECT_TRUE(m_app->InitInstance({}).keepRunning);
        EXPECT_NE(m_app->openMatrixPath(folder.write("small.mps", apptest::kSmallMps)), nullptr)
            << ui.lastMessage;
        return *m_app;
    }

    testsupport::TempFolder folder;
    MemorySettingsStore store;
    apptest::MessageLog ui;

private:
    QString m_previousDirectory;
    std::unique_ptr<CNorvaApp> m_app;
};

TEST_F(PrintCommandsTest, PrintFollowsTheShownNameAndTheActiveView) {
    CNorvaApp& norva = opened();
    QAction* print = norva.frame()->actions().print;
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(norva.frame()->actions().printSetup->isEnabled());
    QApplication::setActiveWindow(norva.frame());
    norva.submatrixView()->grid()->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(print->isEnabled());
    norva.detailView()->nameList()->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(print->isEnabled());
    // An empty document has no name to print.
    norva.OnFileNew();
    EXPECT_FALSE(print->isEnabled());
}

TEST_F(PrintCommandsTest, BusOnlyWithoutAViewerKeepsTheListingAndShowsMessage140) {
    store.writeInteger(SettingsScope::kProfile, "Options", "ViewerBusOnly", 1);
    CNorvaApp& norva = opened();
    norva.OnFilePrint();
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_NE(ui.lastMessage.find("Unable to launch the TARN Viewer \"Tv.ExE\""), std::string::npos)
        << ui.lastMessage;
    const std::string listing = folder / "MLIST.TMP";
    ASSERT_TRUE(std::filesystem::exists(listing));
    EXPECT_GT(std::filesystem::file_size(listing), 0u);
}

}  // namespace
