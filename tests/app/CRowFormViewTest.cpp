#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <cstdlib>

#include "AppTestSupport.h"
#include "CNorvaDoc.h"
#include "CRowFormView.h"
#include "EquationView.h"

namespace {

using apptest::qt;

class CRowFormViewTest : public ::testing::Test {
protected:
    CRowFormViewTest() {
        view.resize(520, 480);
        view.show();
    }
    void openMatrix(const std::string& path) {
        flags.openAsSolution = false;
        ASSERT_TRUE(doc.OnOpenDocument(path)) << ui.lastMessage;
        view.OnInitialUpdate();
    }
    void openModel() { openMatrix(folder.write("small.mps", apptest::kSmallMps)); }
    // Columns X = 0.5 and Y = 4.
    void openSolution() {
        flags.openAsSolution = true;
        ASSERT_TRUE(doc.OnOpenDocument(folder.write("KNLP_Solution.001", "h\nh\nh\nX 0.5\nY 4\n")))
            << ui.lastMessage;
        flags.openAsSolution = false;
        view.OnInitialUpdate();
    }
    void chooseName(const char* name) {
        const int index = view.nameList()->findText(name);
        ASSERT_GE(index, 0) << name;
        view.nameList()->setCurrentIndex(index);
    }
    QStringList entry(int row) const {
        QStringList cells;
        const QAbstractItemModel* model = view.entryList()->model();
        for (int column = 0; column < 5; ++column)
            cells << model->index(row, column).data().toString();
        return cells;
    }
    QStringList entryNames() const {
        QStringList names;
        for (int row = 0; row < view.entryList()->model()->rowCount(); ++row)
            names << entry(row).front();
        return names;
    }
    QStringList selectedEntryNames() const {
        QStringList names;
        for (const QModelIndex& index : view.entryList()->selectionModel()->selectedRows())
            names << index.data().toString();
        return names;
    }
    QString line(const char* name) const { return view.valueLine(name)->text(); }
    QPoint entryCentre(int row) const {
        return view.entryList()->visualRect(view.entryList()->model()->index(row, 0)).center();
    }
    void clickHeader(int section) {
        QHeaderView* header = view.entryList()->horizontalHeader();
        // The section's middle, away from the resize grips at its edges.
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    testsupport::TempFolder folder;
    apptest::MessageLog ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    CRowFormView view{doc, ui};
};

TEST_F(CRowFormViewTest, RowDisplayWithoutSolutionShowsCoefficientsOnly) {
    openModel();
    EXPECT_EQ(view.nameList()->count(), 4);
    EXPECT_EQ(view.nameList()->currentText(), "COST");
    EXPECT_EQ(view.groupBox()->title(), "Row Names");
    EXPECT_EQ(view.toggleButton()->text(), "Display by Col");
    chooseName("LIM");
    EXPECT_EQ(line("L1"), "Row Type: LE");
    EXPECT_EQ(line("L2"), "RHS Value: 10.00000");
    EXPECT_EQ(line("L3"), "Range Value: ");
    EXPECT_EQ(line("R1"), "Row Status: ");
    EXPECT_EQ(view.warningLine()->text(), "");
    ASSERT_EQ(view.entryList()->model()->rowCount(), 2);
    EXPECT_EQ(entry(0), QStringList({"X", "4.00000", "", "", ""}));
    EXPECT_EQ(entry(1), QStringList({"Y", "-1.50000", "", "", ""}));
    EXPECT_EQ(selectedEntryNames(), QStringList({"X"}));
    chooseName("ONLY");
    EXPECT_EQ(view.warningLine()->text(), "Warning: Row has no NEGATIVE entries.");
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(CRowFormViewTest, RowDisplayWithSolutionShowsActivitiesProductsAndSum) {
    openModel();
    openSolution();
    chooseName("LIM");
    EXPECT_EQ(entry(0), QStringList({"X", "4.00000", "0.50000", "2.00000", ""}));
    EXPECT_EQ(entry(1), QStringList({"Y", "-1.50000", "4.00000", "-6.00000", ""}));
    EXPECT_EQ(line("R2"), "Row Activity: -4.00000");
    EXPECT_EQ(line("R3"), "Row Activity Sum: -4.00000");
}

TEST_F(CRowFormViewTest, ToggleButtonShowsTheSelectedColumnWithTheRowSelected) {
    openModel();
    chooseName("LIM");
    QTest::mouseClick(view.toggleButton(), Qt::LeftButton);
    EXPECT_EQ(view.nameList()->currentText(), "X");
    EXPECT_EQ(view.groupBox()->title(), "Column Names");
    EXPECT_EQ(view.toggleButton()->text(), "Display by Row");
    EXPECT_EQ(entryNames(), QStringList({"COST", "LIM", "ONLY", "POS"}));
    EXPECT_EQ(selectedEntryNames(), QStringList({"LIM"}));
    EXPECT_EQ(view.entryList()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(line("L1"), "Lower Bound: 0.00000");
    EXPECT_EQ(line("L2"), "Upper Bound: 6.00000");
    EXPECT_FALSE(doc.automation().RowDisplay);
}

TEST_F(CRowFormViewTest, DoubleClickTogglesBackWithTheFormerColumnSelected) {
    openModel();
    chooseName("LIM");
    view.OnToggle();  // column X
    const int pos = entryNames().indexOf("POS");
    ASSERT_GE(pos, 0);
    // A double-click's first press and release reach the list before the double-click.
    QTest::mouseClick(view.entryList()->viewport(), Qt::LeftButton, {}, entryCentre(pos));
    QTest::mouseDClick(view.entryList()->viewport(), Qt::LeftButton, {}, entryCentre(pos));
    EXPECT_EQ(view.nameList()->currentText(), "POS");
    EXPECT_EQ(view.groupBox()->title(), "Row Names");
    EXPECT_EQ(selectedEntryNames(), QStringList({"X"}));
    EXPECT_EQ(view.entryList()->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(CRowFormViewTest, HeaderClicksSortByEachColumn) {
    openModel();
    openSolution();
    chooseName("COST");  // X: 1 x 0.5 = 0.5, Y: 2 x 4 = 8
    clickHeader(1);
    EXPECT_EQ(doc.sortKey(), 1);
    EXPECT_EQ(entryNames(), QStringList({"Y", "X"}));
    clickHeader(0);
    EXPECT_EQ(entryNames(), QStringList({"X", "Y"}));
    chooseName("LIM");  // X: 4 x 0.5 = 2, Y: -1.5 x 4 = -6
    clickHeader(2);
    EXPECT_EQ(entryNames(), QStringList({"Y", "X"}));
    clickHeader(3);
    EXPECT_EQ(entryNames(), QStringList({"X", "Y"}));
    clickHeader(4);
    EXPECT_EQ(doc.sortKey(), 4);
    // The selected entry stays selected across a sort.
    view.entryList()->selectRow(entryNames().indexOf("Y"));
    clickHeader(1);
    EXPECT_EQ(entryNames(), QStringList({"X", "Y"}));
    EXPECT_EQ(selectedEntryNames(), QStringList({"Y"}));
}

// A results database that knows X's activity but not Y's: Y's stays unknown.
TEST_F(CRowFormViewTest, UnknownActivitiesSortFirst) {
    const std::string matrix = folder.write("MPSBCD001.mps", apptest::kSmallMps);
    const std::string sql =
        "CREATE TABLE PrSolution (SolutionID INTEGER);"
        "INSERT INTO PrSolution VALUES (1);"
        "CREATE TABLE PrPrimalColumn (SolutionID INTEGER, CaseID INTEGER, ColumnName TEXT,"
        " Activity REAL, MarginalValue REAL, Cost REAL, Status TEXT);"
        "INSERT INTO PrPrimalColumn VALUES (1, 1, 'X', 0.5, 0, 1, 'Basic');";
    const std::string command = "sqlite3 '" + (folder / "Results.mdb") + "' \"" + sql + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    openMatrix(matrix);
    chooseName("COST");
    clickHeader(2);
    EXPECT_EQ(entryNames(), QStringList({"Y", "X"}));
    EXPECT_EQ(entry(0)[2], "");
    EXPECT_EQ(entry(1)[2], "0.50000");
    clickHeader(3);
    EXPECT_EQ(entryNames(), QStringList({"Y", "X"}));
}

TEST_F(CRowFormViewTest, BoundLinesOfDefaultFixedAndFreeColumns) {
    openMatrix(folder.write("bounds.mps",
                            "NAME B\nROWS\n N  OBJ\nCOLUMNS\n    PLAIN  OBJ  1\n    PINNED  OBJ  1\n"
                            "    LOOSE  OBJ  1\nBOUNDS\n FX BND  PINNED  2.5\n FR BND  LOOSE\nENDATA\n"));
    QTest::mouseClick(view.toggleButton(), Qt::LeftButton);
    chooseName("PLAIN");
    EXPECT_EQ(line("L1"), "Lower Bound: 0.00000");
    EXPECT_EQ(line("L2"), "Upper Bound: ");
    chooseName("PINNED");
    EXPECT_EQ(line("L1"), "Fixed Bound: 2.50000");
    EXPECT_EQ(line("L2"), "");
    chooseName("LOOSE");
    EXPECT_EQ(line("L1"), "Type: Free Column");
    EXPECT_EQ(line("L2"), "");
}

TEST_F(CRowFormViewTest, NotesLineShowsWhatTheValueLinesCannotAndTheOpenWarns) {
    flags.openAsSolution = false;
    ASSERT_TRUE(doc.OnOpenDocument(std::string(NORVA_TEST_DATA_DIR) + "/mps/objective.mps"));
    EXPECT_NE(ui.lastMessage.find("The file was read with 2 warnings:"), std::string::npos)
        << ui.lastMessage;
    view.OnInitialUpdate();
    chooseName("PROFIT");
    EXPECT_EQ(view.notesLine()->text(), "Objective: maximise (+1 more)");
    EXPECT_EQ(view.notesLine()->toolTip(), "Objective: maximise\nObjective Constant: 12.50000");
    chooseName("CAP1");
    EXPECT_EQ(view.notesLine()->text(), "");
}

TEST_F(CRowFormViewTest, EquationPaneMarksTheSelectedColumnBoldBlue) {
    openModel();
    chooseName("LIM");
    const QString text = view.equationPane()->toPlainText();
    EXPECT_EQ(text, " -1.500000 * Y +4.000000 * X <= 10.000000");
    const auto formatAt = [this](int position) { return view.equationPane()->formatAt(position); };
    const int xPiece = static_cast<int>(text.indexOf(" +4.000000 * X"));
    EXPECT_EQ(formatAt(xPiece).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(xPiece + 13).foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(formatAt(xPiece).fontStrikeOut());
    EXPECT_NE(formatAt(1).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(xPiece + 15).fontWeight(), QFont::Bold);  // " <= 10.000000"

    QTest::mouseClick(view.entryList()->viewport(), Qt::LeftButton, {}, entryCentre(1));
    EXPECT_EQ(selectedEntryNames(), QStringList({"Y"}));
    EXPECT_EQ(formatAt(1).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(xPiece).fontWeight(), QFont::Bold);
}

TEST_F(CRowFormViewTest, UpdateHintsSwitchTheDisplayOnlyWhenNeeded) {
    openModel();
    chooseName("LIM");
    view.OnUpdate(1);  // already row display
    EXPECT_EQ(view.groupBox()->title(), "Row Names");
    view.OnUpdate(2);
    EXPECT_EQ(view.groupBox()->title(), "Column Names");
    EXPECT_EQ(view.nameList()->currentText(), "X");
    view.OnUpdate(0);
    EXPECT_EQ(view.groupBox()->title(), "Column Names");
    view.OnUpdate(1);
    EXPECT_EQ(view.nameList()->currentText(), "LIM");
}

TEST_F(CRowFormViewTest, AFailedOpenEmptiesTheView) {
    openModel();
    chooseName("LIM");
    flags.openAsSolution = false;
    EXPECT_FALSE(doc.OnOpenDocument(folder / "missing.mps"));
    view.OnInitialUpdate();
    EXPECT_EQ(view.nameList()->count(), 0);
    EXPECT_EQ(view.entryList()->model()->rowCount(), 0);
    EXPECT_EQ(line("L1"), "Row Type: ");
}

}  // namespace
