#include <cmath>
#include <map>
#include <tuple>

#include "AppTestSupport.h"
#include "CGeneralPage.h"
#include "COptionsDlg.h"
#include "ControlHelp.h"
#include "EquationView.h"
#include "NumberFormat.h"

namespace {

using Cell = std::pair<std::string, std::string>;  // (row, column)

class SubmatrixCommandsTest : public apptest::AppTest {
protected:
    // Runs the Options sheet, letting edit change its General page before OK (or Cancel).
    void runOptions(const std::function<void(CGeneralPage&)>& edit, bool ok = true) {
        EXPECT_TRUE(apptest::onModal<COptionsDlg>(
            [&](COptionsDlg& sheet) {
                edit(*sheet.generalPage());
                ok ? sheet.accept() : sheet.reject();
            },
            [this] { app().OnProgramOptions(); }));
    }
    // Shows each named row in the detail view and adds it to the grid.
    void addRows(std::initializer_list<const char*> names) {
        CRowFormView& detail = *app().detailView();
        for (const char* name : names) {
            detail.nameList()->setCurrentIndex(detail.nameList()->findText(name));
            app().submatrixView()->addSelectedButton()->click();
        }
    }
    const QAbstractItemModel& grid() { return *app().submatrixView()->grid()->model(); }
    // Every non-empty coefficient cell of the grid, with its text.
    std::map<Cell, std::string> gridCells() {
        std::map<Cell, std::string> cells;
        const QAbstractItemModel& model = grid();
        for (int row = 0; row < model.rowCount(); ++row)
            for (int c = 1; c + 1 < model.columnCount(); ++c) {
                const QString text = model.index(row, c).data().toString();
                if (text.isEmpty()) continue;
                cells[{model.index(row, 0).data().toString().toStdString(),
                       model.headerData(c, Qt::Horizontal).toString().toStdString()}] =
                    text.toStdString();
            }
        return cells;
    }
};

TEST_F(SubmatrixCommandsTest, OptionsOkRunsTheSmallCoefficientFilterOnANetlibModel) {
    CNorvaApp& norva = started();
    const std::string path = std::string(NORVA_TEST_DATA_DIR) + "/netlib/afiro.mps.gz";
    ASSERT_NE(norva.OpenDocumentFile(path), nullptr) << ui.lastMessage;
    const double threshold = 0.35;
    runOptions([&](CGeneralPage& page) {
        page.filterOn()->click();
        page.testRadio(1)->click();
        page.editOf(controlid::kSmallCoef)->setText(QString::number(threshold));
    });
    EXPECT_EQ(norva.document()->settings().Filter, 1);
    EXPECT_EQ(norva.document()->settings().ToleranceSel, 1);

    // Expected from the model's own column lists: every non-zero coefficient at or below the
    // threshold, and nothing else, as the grid writes numbers.
    std::map<Cell, std::string> expected;
    const MatrixModel& loaded = norva.document()->model();
    for (const CCol& column : loaded.columns)
        for (std::size_t i = 0; i < column.coefficientCount(); ++i) {
            const CRowValue coefficient = loaded.entries.coefficient(column, i);
            const float value = coefficient.value();
            if (value != 0.0f && std::fabs(value) <= threshold)
                expected[{std::string(coefficient.name()), std::string(column.name())}] =
                    formatNumber(value, 5, false);
        }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(gridCells(), expected);
    EXPECT_EQ(grid().headerData(grid().columnCount() - 1, Qt::Horizontal).toString(), "RHS");
}

TEST_F(SubmatrixCommandsTest, OptionsCancelChangesNothingAndOkRedrawsWithTheNewDecimals) {
    CNorvaApp& norva = started();
    EXPECT_TRUE(frame().actions().programOptions->isEnabled());
    norva.document()->databaseSettings().sqlServerConnectionString = "Provider=SQLOLEDB;";
    const DocumentSettings before = norva.document()->settings();
    runOptions(
        [](CGeneralPage& page) {
            page.decimals()->setText("3");
            page.filterOn()->click();
            page.processName()->setText("changed");
        },
        false);
    const DocumentSettings& after = norva.document()->settings();
    EXPECT_EQ(std::tie(after.Decimals, after.Filter, after.LoomProcessName),
              std::tie(before.Decimals, before.Filter, before.LoomProcessName));
    EXPECT_EQ(norva.document()->databaseSettings().sqlServerConnectionString, "Provider=SQLOLEDB;");

    ASSERT_NE(norva.openMatrixPath(smallModel()), nullptr);
    addRows({"LIM"});
    ASSERT_EQ(grid().index(0, 1).data().toString(), "4.00000");
    runOptions([](CGeneralPage& page) { page.decimals()->setText("2"); });
    EXPECT_EQ(grid().rowCount(), 1);
    EXPECT_EQ(apptest::lineTexts(&grid(), 0), QStringList({"LIM", "4.00", "-1.50", "10.00"}));
}

TEST_F(SubmatrixCommandsTest, EditCommandsFollowTheFocusAndSelection) {
    CNorvaApp& norva = withSmallModel();
    CNorvaView& view = *norva.submatrixView();
    CRowFormView& detail = *norva.detailView();
    const FrameActions& actions = frame().actions();
    frame().searchBar()->viewSubmatrix()->setChecked(true);
    addRows({"POS", "LIM"});
    QApplication::setActiveWindow(&frame());
    const auto focus = [](QWidget* widget) {
        widget->setFocus();
        QApplication::processEvents();
    };
    focus(view.grid());
    EXPECT_FALSE(actions.copy->isEnabled());
    // The detail view's commands are off while the submatrix view is the active one.
    EXPECT_FALSE(actions.findNext->isEnabled());
    view.grid()->selectAll();
    EXPECT_TRUE(actions.copy->isEnabled());
    QApplication::clipboard()->clear();
    actions.copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Row Name\tX\tY\tRHS\nLIM\t4.00000\t-1.50000\t10.00000\n"
              "POS\t3.00000\t1.00000\t2.00000");

    EquationView& pane = *detail.equationPane();
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, QPoint(6, 6));
    QApplication::processEvents();
    EXPECT_TRUE(pane.hasFocus());
    EXPECT_TRUE(actions.findNext->isEnabled());
    EXPECT_FALSE(actions.copy->isEnabled());  // nothing selected yet
    pane.select(1, 10);
    EXPECT_TRUE(actions.copy->isEnabled());
    EXPECT_FALSE(actions.cut->isEnabled());
    EXPECT_FALSE(actions.paste->isEnabled());
    actions.copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "-1.500000");

    QLineEdit& search = *frame().searchBar()->searchText();
    search.setText("LIMIT");
    focus(&search);
    EXPECT_TRUE(actions.cut->isEnabled());
    EXPECT_TRUE(actions.paste->isEnabled());
    search.setSelection(0, 3);
    actions.cut->trigger();
    EXPECT_EQ(search.text(), "IT");
    EXPECT_EQ(QApplication::clipboard()->text(), "LIM");
    search.setCursorPosition(2);
    actions.paste->trigger();
    EXPECT_EQ(search.text(), "ITLIM");

    // Focus elsewhere: nothing to cut, paste or copy.
    focus(detail.nameList());
    EXPECT_FALSE(actions.copy->isEnabled());
    EXPECT_FALSE(actions.paste->isEnabled());
    actions.paste->trigger();
    EXPECT_EQ(search.text(), "ITLIM");
}

// Successive runs of one model: the kept grid shows the run now loaded; a failed open leaves
// every pane and the status bar's counts empty.
TEST_F(SubmatrixCommandsTest, EachOpenMakesEveryPaneTrueToTheModelNowLoaded) {
    CNorvaApp& norva = withSmallModel();
    addRows({"LIM", "POS", "ONLY"});
    CRowFormView& detail = *norva.detailView();
    QStatusBar& status = *norva.frame()->statusBar();
    EXPECT_EQ(status.currentMessage(), "");
    EXPECT_EQ(norva.frame()->modelSummary(), "4 rows, 2 columns, 7 non-zeros");
    ASSERT_NE(norva.OpenDocumentFile(apptest::copyData(folder, "next.mps")), nullptr);
    EXPECT_EQ(gridCells(), (std::map<Cell, std::string>{{{"LIM", "X"}, "8.00000"},
                                                        {{"LIM", "Y"}, "-2.50000"},
                                                        {{"ONLY", "X"}, "1.00000"}}));
    EXPECT_EQ(grid().index(0, 3).data().toString(), "20.00000");
    detail.nameList()->setCurrentIndex(detail.nameList()->findText("LIM"));
    ASSERT_FALSE(detail.equationPane()->toPlainText().isEmpty());
    status.showMessage("Passed end of list");
    EXPECT_FALSE(status.findChild<QLabel*>("modelSummary")->isVisible());

    EXPECT_EQ(norva.OpenDocumentFile(folder.write("notes.mps", "no matrix\n")), nullptr);
    EXPECT_EQ(grid().rowCount(), 0);
    EXPECT_EQ(detail.nameList()->count(), 0);
    EXPECT_EQ(detail.entryList()->model()->rowCount(), 0);
    EXPECT_EQ(detail.valueLine("L1")->text(), "Row Type: ");
    EXPECT_EQ(detail.equationPane()->toPlainText(), "");
    EXPECT_EQ(norva.frame()->modelSummary(), "");
    EXPECT_TRUE(status.findChild<QLabel*>("modelSummary")->isVisible());
}

TEST_F(SubmatrixCommandsTest, FirstStartShowsEveryColumnOfTheEntryList) {
    CNorvaApp& norva = withSmallModel();
    ASSERT_NE(norva.openSolutionPath(folder.write("KNLP_Solution.001", "h\nh\nh\nX -1234567\n")),
              nullptr);
    for (const char* display : {"rows", "columns"}) {
        SCOPED_TRACE(display);
        const EntryTableView& entries = *norva.detailView()->entryList();
        EXPECT_GT(entries.model()->rowCount(), 0);
        EXPECT_LE(entries.horizontalHeader()->length(), entries.viewport()->width());
        norva.detailView()->OnToggle();
    }
}

}  // namespace
