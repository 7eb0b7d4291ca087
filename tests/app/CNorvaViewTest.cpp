#include <QImage>

#include "AppTestSupport.h"
#include "SubmatrixCellDelegate.h"

namespace {

class CNorvaViewTest : public apptest::DetailTest {
protected:
    CNorvaViewTest() {
        detail.resize(520, 480);
        view.resize(500, 480);
        view.show();
    }
    void openGrid() {
        openModel();
        view.OnInitialUpdate();
    }
    void addRows(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            chooseName(name);
            QTest::mouseClick(view.addSelectedButton(), Qt::LeftButton);
        }
    }
    QStringList headers() const { return apptest::headerTexts(view.grid()->model()); }
    QStringList firstCells() const { return apptest::firstColumn(view.grid()->model()); }
    void selectLines(std::initializer_list<int> lines) {
        QItemSelectionModel* selection = view.grid()->selectionModel();
        selection->clearSelection();
        for (int row : lines)
            selection->select(view.grid()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    CNorvaView view{doc, detail.logic()};
};

TEST_F(CNorvaViewTest, AddSelectedRowsShowsTheirColumnsAndRightHandSidesAndCopyTakesTheSelection) {
    openGrid();
    // Adding a row that is present changes nothing.
    addRows({"POS", "LIM", "LIM", "ONLY"});
    ASSERT_EQ(view.grid()->model()->rowCount(), 3);
    // Lines in name order, whatever the order added; copy takes the selected lines in grid
    // order, an empty cell as nothing between tabs.
    selectLines({1, 0});
    view.OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Row Name\tX\tY\tRHS\n"
              "LIM\t4.00000\t-1.50000\t10.00000\n"
              "ONLY\t1.00000\t\t0.00000");
}

// Without a matrix adding does nothing and clearing redraws.
TEST_F(CNorvaViewTest, ButtonsFollowTheDisplayAndTheGridSelectionAndAddColumnRows) {
    detail.OnInitialUpdate();
    view.OnInitialUpdate();
    QTest::mouseClick(view.addSelectedButton(), Qt::LeftButton);
    EXPECT_EQ(view.grid()->model()->rowCount(), 0);
    QTest::mouseClick(view.clearAllButton(), Qt::LeftButton);
    EXPECT_EQ(headers(), QStringList({"Row Name", "RHS"}));
    openGrid();
    EXPECT_FALSE(view.addColumnRowsButton()->isEnabled());
    EXPECT_TRUE(view.addSelectedButton()->isEnabled());
    EXPECT_TRUE(view.clearAllButton()->isEnabled());
    EXPECT_FALSE(view.removeSelectedButton()->isEnabled());
    addRows({"LIM"});
    selectLines({0});
    EXPECT_TRUE(view.removeSelectedButton()->isEnabled());
    view.grid()->selectionModel()->clearSelection();
    EXPECT_FALSE(view.removeSelectedButton()->isEnabled());
    detail.OnToggle();
    chooseName("X");
    view.OnUpdate();
    // Add Column Rows takes every row of the shown column.
    QTest::mouseClick(view.addColumnRowsButton(), Qt::LeftButton);
    EXPECT_EQ(firstCells(), QStringList({"COST", "LIM", "ONLY", "POS"}));
    EXPECT_EQ(apptest::lineTexts(view.grid()->model(), 2),
              QStringList({"ONLY", "1.00000", "", "0.00000"}));
}

TEST_F(CNorvaViewTest, RemoveRebuildsFromTheRestAndClearEmptiesTheGrid) {
    openGrid();
    addRows({"ONLY", "LIM"});
    selectLines({0});  // LIM, the only row with a coefficient in Y
    QTest::mouseClick(view.removeSelectedButton(), Qt::LeftButton);
    EXPECT_EQ(headers(), QStringList({"Row Name", "X", "RHS"}));
    EXPECT_EQ(firstCells(), QStringList({"ONLY"}));
    EXPECT_FALSE(view.removeSelectedButton()->isEnabled());
    QTest::mouseClick(view.clearAllButton(), Qt::LeftButton);
    EXPECT_EQ(headers(), QStringList({"Row Name", "RHS"}));
    EXPECT_EQ(view.grid()->model()->rowCount(), 0);
    EXPECT_TRUE(doc.selectedNames().empty());
}

TEST_F(CNorvaViewTest, ColumnsFitTheirWidestTextAndSelectedLinesAreHighlighted) {
    openGrid();
    addRows({"POS", "LIM", "ONLY"});
    const QHeaderView* header = view.grid()->horizontalHeader();
    const QFontMetrics metrics = view.grid()->fontMetrics();
    const QAbstractItemModel* model = view.grid()->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        for (int row = 0; row < model->rowCount(); ++row) {
            const int needed = metrics.horizontalAdvance(model->index(row, c).data().toString()) +
                               2 * SubmatrixCellDelegate::kTextInset;
            EXPECT_GE(header->sectionSize(c), needed) << "column " << c << " line " << row;
        }
    }
    // The RHS column is no wider than its widest text needs, though the grid has room.
    const int rhs = model->columnCount() - 1;
    EXPECT_LT(header->sectionSize(rhs), view.grid()->viewport()->width() / 3);
    // The first cell in button face, selected lines highlighted.
    const QPalette palette = view.grid()->palette();
    const auto pixelAt = [this](int row, int column) {
        const QRect cell = view.grid()->visualRect(view.grid()->model()->index(row, column));
        const QImage image = view.grid()->viewport()->grab().toImage();
        // Just inside the frame, away from the text at the far edge.
        const QPoint inside = column == 0 ? QPoint(cell.right() - 2, cell.center().y())
                                          : QPoint(cell.left() + 2, cell.center().y());
        return image.pixelColor(inside * image.devicePixelRatio());
    };
    EXPECT_EQ(pixelAt(0, 0), palette.color(QPalette::Button));
    EXPECT_EQ(pixelAt(0, 1), palette.color(QPalette::Base));
    selectLines({0});
    EXPECT_EQ(pixelAt(0, 0), palette.color(QPalette::Light));
    EXPECT_EQ(pixelAt(0, 1), palette.color(QPalette::Highlight));
    EXPECT_EQ(pixelAt(1, 1), palette.color(QPalette::Base));
}

}  // namespace
