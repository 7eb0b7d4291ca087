#include <QTableWidget>

#include "AppTestSupport.h"
#include "AuditCommands.h"
#include "AuditReportView.h"
#include "COptionsDlg.h"
#include "CTolerancePage.h"
#include "ToleranceSettings.h"

namespace {

const std::string kAudit = std::string(NORVA_TEST_DATA_DIR) + "/audit/";

// base.mps with x = 7 and z = -0.25 from a KNLP file: x and z leave their bounds, and the
// recomputed rows BAL (8, limit 5) and CAP2 (2.75, limit 3) leave theirs.
class AuditCommandsTest : public apptest::AppTest {
protected:
    AuditCommandsTest() { EXPECT_NE(started().openMatrixPath(kAudit + "base.mps"), nullptr); }
    AuditCommands& audit() { return *app().auditCommands(); }
    QTableWidget& table() { return *audit().report()->table(); }
    QString cell(int line, int column) { return table().item(line, column)->text(); }
    void doubleClick(int line) { emit table().cellDoubleClicked(line, 1); }
    QStringList markedEntries() {
        return apptest::firstColumn(app().detailView()->entryList()->model(), Qt::BackgroundRole);
    }
};

TEST_F(AuditCommandsTest, CheckListsViolationsAndDoubleClickShowsThemMarked) {
    audit().checkAction()->trigger();
    EXPECT_EQ(ui.all, std::vector<std::string>{"Warning|The matrix has no solution to check."});
    EXPECT_EQ(table().rowCount(), 0);
    ASSERT_NE(app().openSolutionPath(
                  apptest::copyData(folder, "check_KNLP_Solution.001", "KNLP_Solution.001")),
              nullptr);
    audit().checkAction()->trigger();
    ASSERT_EQ(table().rowCount(), 4);
    EXPECT_EQ(cell(0, 0) + " " + cell(0, 1) + " " + cell(0, 5), "row-bound BAL 3");
    EXPECT_EQ(cell(2, 0) + " " + cell(2, 1) + " " + cell(2, 5), "column-bound x 1");

    doubleClick(0);
    EXPECT_EQ(shownName(), "BAL");
    EXPECT_EQ(markedEntries(), QStringList{"x"});  // not y or w, which keep their bounds
    doubleClick(2);
    EXPECT_EQ(shownName(), "x");
    EXPECT_EQ(markedEntries(), QStringList{"BAL"});  // not COST, LIM1 or DEM

    // A new open forgets the report and its marks.
    ASSERT_NE(app().openMatrixPath(kAudit + "base.mps"), nullptr);
    EXPECT_EQ(table().rowCount(), 0);
    EXPECT_EQ(markedEntries(), QStringList{});
}

TEST_F(AuditCommandsTest, CompareListsDifferencesAndNamesTheModelLacks) {
    ASSERT_TRUE(audit().compareWith(kAudit + "changed.mps"));
    EXPECT_EQ(table().rowCount(), 12);
    EXPECT_EQ(cell(1, 0) + " " + cell(1, 1), "row-only-in-b NEW");
    doubleClick(1);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(app().frame()->statusBar()->currentMessage(), "The matrix has no row NEW");
    doubleClick(0);  // CAP2, only in the loaded model
    EXPECT_EQ(shownName(), "CAP2");

    EXPECT_FALSE(audit().compareWith(folder / "missing.mps"));
    EXPECT_EQ(ui.messageCount, 1);
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
        EXPECT_EQ(ui.lastMessage, "A tolerance must be a number of 0 or more.");
    }
    page.absoluteField()->setText("0.5");
    page.relativeField()->setText("1e-3");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    audit().setTolerances(page.tolerances());
    EXPECT_EQ(std::pair(readTolerances(store).absolute, readTolerances(store).relative),
              std::pair(0.5, 1e-3));
    store.writeString(SettingsScope::kProfile, "Options", "CheckRelativeTolerance", "-2");
    EXPECT_EQ(readTolerances(store).relative, Tolerances{}.relative);
}

}  // namespace
