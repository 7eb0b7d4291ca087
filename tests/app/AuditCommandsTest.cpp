// File > Check Solution and File > Compare With... in the running application: the report,
// its double-click into the detail view, the marked entries, and the tolerance page.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "AppTestSupport.h"
#include "AuditCommands.h"
#include "AuditReportView.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "COptionsDlg.h"
#include "CRowFormView.h"
#include "CTolerancePage.h"
#include "MemorySettingsStore.h"
#include "QtUserInterface.h"
#include "ToleranceSettings.h"

namespace {

using apptest::qt;

class CountingUserInterface : public QtUserInterface {
public:
    void beep() override { ++beeps; }
    void messageBox(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + "|" + text);
    }
    int beeps = 0;
    std::vector<std::string> messages;
};

const std::string kAudit = std::string(NORVA_TEST_DATA_DIR) + "/audit/";

// base.mps with x = 7 and z = -0.25 from a KNLP file: x and z leave their bounds, and the
// recomputed rows BAL (8, limit 5) and CAP2 (2.75, limit 3) leave theirs.
class AuditCommandsTest : public ::testing::Test {
protected:
    AuditCommandsTest() {
        m_app = std::make_unique<CNorvaApp>(store, ui, qt(folder / "bin/norva"));
        QObject::connect(m_app.get(), &CNorvaApp::frameCreated,
                         [this](CMainFrame* made) { ui.setMainWindow(made, made->statusBar()); });
        EXPECT_TRUE(m_app->InitInstance({}).keepRunning);
        EXPECT_NE(m_app->openMatrixPath(kAudit + "base.mps"), nullptr);
    }
    void attachPlantedSolution() {
        const std::string knlp =
            folder.write("KNLP_Solution.001", "h\nh\nh\nx 7\ny 3\nz -0.25\nw 4\n");
        ASSERT_NE(m_app->openSolutionPath(knlp), nullptr);
    }
    AuditCommands& audit() { return *m_app->auditCommands(); }
    QTableWidget& table() { return *audit().report()->table(); }
    QString cell(int line, int column) { return table().item(line, column)->text(); }
    void doubleClick(int line) { emit table().cellDoubleClicked(line, 1); }
    QString shownName() { return m_app->detailView()->nameList()->currentText(); }
    // Whether the detail view's entry named name is drawn marked.
    bool entryMarked(const QString& name) {
        const QAbstractItemModel* model = m_app->detailView()->entryList()->model();
        for (int line = 0; line < model->rowCount(); ++line)
            if (model->index(line, 0).data().toString() == name)
                return model->index(line, 0).data(Qt::BackgroundRole).isValid();
        ADD_FAILURE() << "no entry " << name.toStdString();
        return false;
    }

    testsupport::TempFolder folder;
    MemorySettingsStore store;
    CountingUserInterface ui;
    std::unique_ptr<CNorvaApp> m_app;
};

TEST_F(AuditCommandsTest, CheckListsViolationsAndDoubleClickShowsThemMarked) {
    attachPlantedSolution();
    audit().checkAction()->trigger();
    ASSERT_EQ(table().rowCount(), 4);
    EXPECT_EQ(cell(0, 0) + " " + cell(0, 1) + " " + cell(0, 5), "row-bound BAL 3");
    EXPECT_EQ(cell(2, 0) + " " + cell(2, 1) + " " + cell(2, 5), "column-bound x 1");

    doubleClick(0);
    EXPECT_EQ(shownName(), "BAL");
    EXPECT_TRUE(entryMarked("x"));
    EXPECT_FALSE(entryMarked("y"));
    doubleClick(2);
    EXPECT_EQ(shownName(), "x");
    EXPECT_TRUE(entryMarked("BAL"));
    EXPECT_FALSE(entryMarked("LIM1"));

    // A new open forgets the report and its marks.
    ASSERT_NE(m_app->openMatrixPath(kAudit + "base.mps"), nullptr);
    EXPECT_EQ(table().rowCount(), 0);
}

TEST_F(AuditCommandsTest, CheckWithoutSolutionSaysSo) {
    audit().checkAction()->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Warning|The matrix has no solution to check.");
    EXPECT_EQ(table().rowCount(), 0);
}

TEST_F(AuditCommandsTest, CompareListsDifferencesAndNamesTheModelLacks) {
    ASSERT_TRUE(audit().compareWith(kAudit + "changed.mps"));
    EXPECT_EQ(table().rowCount(), 12);
    EXPECT_EQ(cell(1, 0) + " " + cell(1, 1), "row-only-in-b NEW");
    doubleClick(1);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(m_app->frame()->statusBar()->currentMessage(), "The matrix has no row NEW");
    doubleClick(0);  // CAP2, only in the loaded model
    EXPECT_EQ(shownName(), "CAP2");

    EXPECT_FALSE(audit().compareWith(folder / "missing.mps"));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(table().rowCount(), 12);  // the earlier report stays
}

TEST_F(AuditCommandsTest, TolerancePageRefusesBadValuesAndStoresGoodOnes) {
    COptionsDlg dialog(DocumentSettings{}, "", ui);
    dialog.addTolerancePage(audit().tolerances());
    CTolerancePage& page = *dialog.tolerancePage();
    for (const char* bad : {"-1", "abc", "", "inf"}) {
        SCOPED_TRACE(bad);
        page.relativeField()->setText(bad);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(ui.messages.back(), "Norva|A tolerance must be a number of 0 or more.");
    }
    page.absoluteField()->setText("0.5");
    page.relativeField()->setText("1e-3");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    audit().setTolerances(page.tolerances());
    EXPECT_EQ(readTolerances(store).absolute, 0.5);
    EXPECT_EQ(readTolerances(store).relative, 1e-3);
    store.writeString(SettingsScope::kProfile, "Options", "CheckRelativeTolerance", "-2");
    EXPECT_EQ(readTolerances(store).relative, Tolerances{}.relative);
}

}  // namespace
