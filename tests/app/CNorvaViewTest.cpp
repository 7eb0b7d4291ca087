#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "AppTestSupport.h"
#include "CNorvaDoc.h"
#include "CNorvaView.h"
#include "CRowFormView.h"
#include "SubmatrixCellDelegate.h"

namespace {

class CNorvaViewTest : public ::testing::Test {
protected:
    CNorvaViewTest() {
        detail.resize(520, 480);
        view.resize(500, 480);
        view.show();
    }
    void openModel() {
        ASSERT_TRUE(doc.OnOpenDocument(folder.write("small.mps", apptest::kSmallMps)))
            << ui.lastMessage;
        detail.OnInitialUpdate();
        view.OnInitialUpdate();
    }
    void chooseName(const char* name) {
        const int index = detail.nameList()->findText(name);
        ASSERT_GE(index, 0) << name;
        detail.nameList()->setCurrentIndex(index);
    }
    void addRows(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            chooseName(name);
            QTest::mouseClick(view.addSelectedButton(), Qt::LeftButton);
        }
    }
    QStringList headers() const {
        QStringList texts;
        const QAbstractItemModel* model = view.grid()->model();
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->headerData(c, Qt::Horizontal).toString();
        return texts;
    }
    QStringList line(int row) const {
        QStringList cells;
        const QAbstractItemModel* model = view.grid()->model();
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(row, c).data().toString();
        return cells;
    }
    QStringList firstCells() const {
        QStringList names;
        for (int row = 0; row < view.grid()->model()->rowCount(); ++row) names << line(row).front();
        return names;
    }
    void selectLines(std::initializer_list<int> lines) {
        QItemSelectionModel* selection = view.grid()->selectionModel();
        selection->clearSelection();
        for (int row : lines)
            selection->select(view.grid()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    testsupport::TempFolder folder;
    apptest::MessageLog ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    CRowFormView detail{doc, ui};
    CNorvaView view{doc, detail.logic()};
};

TEST_F(CNorvaViewTest, AddSelectedRowsShowsTheirColumnsAndRightHandSides) {
    openModel();
    addRows({"POS", "LIM"});
    EXPECT_EQ(headers(), QStringList({"Row Name", "X", "Y", "RHS"}));
    ASSERT_EQ(view.grid()->model()->rowCount(), 2);
    // Lines in name order, whatever the order added.
    EXPECT_EQ(line(0), QStringList({"LIM", "4.00000", "-1.50000", "10.00000"}));
    EXPECT_EQ(line(1), QStringList({"POS", "3.00000", "1.00000", "2.00000"}));
    // Adding a row that is present changes nothing.
    addRows({"LIM"});
    EXPECT_EQ(view.grid()->model()->rowCount(), 2);
}

TEST_F(CNorvaViewTest, ButtonsFollowTheDisplayAndTheGridSelection) {
    openModel();
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
    view.OnUpdate();
    EXPECT_TRUE(view.addColumnRowsButton()->isEnabled());
}

TEST_F(CNorvaViewTest, AddColumnRowsTakesEveryRowOfTheShownColumn) {
    openModel();
    detail.OnToggle();
    chooseName("X");
    view.OnUpdate();
    QTest::mouseClick(view.addColumnRowsButton(), Qt::LeftButton);
    EXPECT_EQ(firstCells(), QStringList({"COST", "LIM", "ONLY", "POS"}));
    EXPECT_EQ(line(2), QStringList({"ONLY", "1.00000", "", "0.00000"}));
}

TEST_F(CNorvaViewTest, RemoveRebuildsFromTheRestAndClearEmptiesTheGrid) {
    openModel();
    addRows({"ONLY", "LIM"});
    EXPECT_EQ(headers(), QStringList({"Row Name", "X", "Y", "RHS"}));
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

TEST_F(CNorvaViewTest, CopyPutsTheSelectedLinesOnTheClipboardByteForByte) {
    openModel();
    addRows({"POS", "LIM", "ONLY"});
    selectLines({2, 1});
    view.OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Row Name\tX\tY\tRHS\n"
              "ONLY\t1.00000\t\t0.00000\n"
              "POS\t3.00000\t1.00000\t2.00000");
}

TEST_F(CNorvaViewTest, ColumnsFitTheirWidestTextWithoutStretchingTheLast) {
    openModel();
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
}

TEST_F(CNorvaViewTest, DrawsTheFirstCellInButtonFaceAndSelectedLinesHighlighted) {
    openModel();
    addRows({"POS", "LIM"});
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

TEST_F(CNorvaViewTest, WithoutAMatrixAddingDoesNothingAndClearingRedraws) {
    detail.OnInitialUpdate();
    view.OnInitialUpdate();
    QTest::mouseClick(view.addSelectedButton(), Qt::LeftButton);
    EXPECT_EQ(view.grid()->model()->rowCount(), 0);
    QTest::mouseClick(view.clearAllButton(), Qt::LeftButton);
    EXPECT_EQ(headers(), QStringList({"Row Name", "RHS"}));
}

}  // namespace
