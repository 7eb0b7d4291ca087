#include <QGroupBox>
#include <QScrollBar>
#include <QTextCharFormat>
#include <cstdlib>

#include "AppTestSupport.h"
#include "EquationView.h"

namespace {

class CRowFormViewTest : public apptest::DetailTest {
protected:
    CRowFormViewTest() {
        detail.resize(520, 480);
        detail.show();
    }
    void openSolution() { openMatrix(apptest::copyData(folder, "KNLP_Solution.001"), true); }
    QStringList entry(int row) const {
        return apptest::lineTexts(detail.entryList()->model(), row);
    }
    QStringList entryNames() const { return apptest::firstColumn(detail.entryList()->model()); }
    QStringList selectedEntryNames() const {
        QStringList names;
        for (const QModelIndex& index : detail.entryList()->selectionModel()->selectedRows())
            names << index.data().toString();
        return names;
    }
    QStringList lines(std::initializer_list<const char*> names) const {
        QStringList texts;
        for (const char* name : names) texts << detail.valueLine(name)->text();
        return texts;
    }
    // The group's title, the toggle button's text and the name shown.
    QString display() const {
        return detail.groupBox()->title() + "|" + detail.toggleButton()->text() + "|" +
               detail.nameList()->currentText();
    }
    QPoint entryCentre(int row) const {
        return detail.entryList()->visualRect(detail.entryList()->model()->index(row, 0)).center();
    }
    void clickHeader(int section) {
        QHeaderView* header = detail.entryList()->horizontalHeader();
        // The section's middle, away from the resize grips at its edges.
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
};

TEST_F(CRowFormViewTest, RowDisplayShowsCoefficientsAndWithASolutionActivities) {
    openModel();
    EXPECT_EQ(detail.nameList()->count(), 4);
    EXPECT_EQ(display(), "Row Names|Display by Col|COST");
    chooseName("LIM");
    EXPECT_EQ(lines({"L1", "L2", "L3", "R1"}), QStringList({"Row Type: LE", "RHS Value: 10.00000",
                                                            "Range Value: ", "Row Status: "}));
    EXPECT_EQ(detail.warningLine()->text(), "");
    ASSERT_EQ(detail.entryList()->model()->rowCount(), 2);
    EXPECT_EQ(entry(0), QStringList({"X", "4.00000", "", "", ""}));
    EXPECT_EQ(entry(1), QStringList({"Y", "-1.50000", "", "", ""}));
    EXPECT_EQ(selectedEntryNames(), QStringList({"X"}));
    chooseName("ONLY");
    EXPECT_EQ(detail.warningLine()->text(), "Warning: Row has no NEGATIVE entries.");
    EXPECT_EQ(ui.waitDepth, 0);
    // With a solution: activities, products and their sum.
    openSolution();
    chooseName("LIM");
    EXPECT_EQ(entry(0), QStringList({"X", "4.00000", "0.50000", "2.00000", ""}));
    EXPECT_EQ(entry(1), QStringList({"Y", "-1.50000", "4.00000", "-6.00000", ""}));
    EXPECT_EQ(lines({"R2", "R3"}),
              QStringList({"Row Activity: -4.00000", "Row Activity Sum: -4.00000"}));
}

TEST_F(CRowFormViewTest, UpdateHintsToggleButtonAndDoubleClickSwitchBetweenRowAndColumn) {
    openModel();
    chooseName("LIM");
    // Hint 1 asks for the row display, 2 for the column display, 0 for neither.
    for (const auto& [hint, expected] : {std::pair{1, "Row Names|Display by Col|LIM"},
                                         {2, "Column Names|Display by Row|X"},
                                         {0, "Column Names|Display by Row|X"},
                                         {1, "Row Names|Display by Col|LIM"}}) {
        detail.OnUpdate(hint);
        EXPECT_EQ(display(), expected) << hint;
    }
    QTest::mouseClick(detail.toggleButton(), Qt::LeftButton);
    EXPECT_EQ(display(), "Column Names|Display by Row|X");
    EXPECT_EQ(entryNames(), QStringList({"COST", "LIM", "ONLY", "POS"}));
    EXPECT_EQ(selectedEntryNames(), QStringList({"LIM"}));
    EXPECT_EQ(detail.entryList()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(lines({"L1", "L2"}), QStringList({"Lower Bound: 0.00000", "Upper Bound: 6.00000"}));
    EXPECT_FALSE(doc.automation().RowDisplay);
    // A double-click on an entry toggles back with the former column selected.
    const int pos = entryNames().indexOf("POS");
    ASSERT_GE(pos, 0);
    // A double-click's first press and release reach the list before the double-click.
    QTest::mouseClick(detail.entryList()->viewport(), Qt::LeftButton, {}, entryCentre(pos));
    QTest::mouseDClick(detail.entryList()->viewport(), Qt::LeftButton, {}, entryCentre(pos));
    EXPECT_EQ(display(), "Row Names|Display by Col|POS");
    EXPECT_EQ(selectedEntryNames(), QStringList({"X"}));
    EXPECT_EQ(detail.entryList()->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(CRowFormViewTest, HeaderClicksSortByEachColumn) {
    openModel();
    openSolution();
    // COST: X 1 x 0.5 = 0.5, Y 2 x 4 = 8; LIM: X 4 x 0.5 = 2, Y -1.5 x 4 = -6.
    for (const auto& [name, section, order] :
         {std::tuple{"COST", 1, "Y X"}, {"COST", 0, "X Y"}, {"LIM", 2, "Y X"}, {"LIM", 3, "X Y"}}) {
        chooseName(name);
        clickHeader(section);
        EXPECT_EQ(doc.sortKey(), section);
        EXPECT_EQ(entryNames().join(' '), order) << name << " by " << section;
    }
    clickHeader(4);
    EXPECT_EQ(doc.sortKey(), 4);
    // The selected entry stays selected across a sort.
    QTest::mouseClick(detail.entryList()->viewport(), Qt::LeftButton, {},
                      entryCentre(entryNames().indexOf("Y")));
    clickHeader(1);
    EXPECT_EQ(entryNames(), QStringList({"X", "Y"}));
    EXPECT_EQ(selectedEntryNames(), QStringList({"Y"}));
}

// A results database that knows X's activity but not Y's: Y's stays unknown.
TEST_F(CRowFormViewTest, UnknownActivitiesSortFirst) {
    const std::string matrix = apptest::copyData(folder, "small.mps", "MPSBCD001.mps");
    const std::string command = "sqlite3 '" + (folder / "Results.mdb") +
                                "' < " NORVA_TEST_DATA_DIR "/app/partial_results.sql";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    openMatrix(matrix);
    chooseName("COST");
    clickHeader(2);
    EXPECT_EQ(entryNames(), QStringList({"Y", "X"}));
    EXPECT_EQ(QStringList({entry(0)[2], entry(1)[2]}), QStringList({"", "0.50000"}));
    clickHeader(3);
    EXPECT_EQ(entryNames(), QStringList({"Y", "X"}));
}

TEST_F(CRowFormViewTest, NotesLineShowsWhatTheValueLinesCannotAndTheOpenWarns) {
    openMatrix(NORVA_TEST_DATA_DIR "/mps/objective.mps");
    EXPECT_NE(ui.lastMessage.find("The file was read with 2 warnings:"), std::string::npos)
        << ui.lastMessage;
    chooseName("PROFIT");
    EXPECT_EQ(detail.notesLine()->text(), "Objective: maximise (+1 more)");
    EXPECT_EQ(detail.notesLine()->toolTip(), "Objective: maximise\nObjective Constant: 12.50000");
    chooseName("CAP1");
    EXPECT_EQ(detail.notesLine()->text(), "");
}

TEST_F(CRowFormViewTest, EquationPaneMarksTheSelectedColumnBoldBlue) {
    openModel();
    chooseName("LIM");
    const QString text = detail.equationPane()->toPlainText();
    EXPECT_EQ(text, " -1.500000 * Y +4.000000 * X <= 10.000000");
    // The text with every character not drawn bold blue as '_', and '?' where only one holds.
    const auto marked = [&] {
        QString pieces;
        for (int i = 0; i < text.size(); ++i) {
            const QTextCharFormat format = detail.equationPane()->formatAt(i);
            const bool bold = format.fontWeight() == QFont::Bold;
            const bool blue = format.foreground().color() == QColor(0, 0, 255);
            pieces += bold != blue ? u'?' : bold ? text[i] : u'_';
        }
        return pieces.toStdString();
    };
    EXPECT_EQ(marked(), "______________ +4.000000 * X_____________");
    QTest::mouseClick(detail.entryList()->viewport(), Qt::LeftButton, {}, entryCentre(1));
    EXPECT_EQ(selectedEntryNames(), QStringList({"Y"}));
    EXPECT_EQ(marked(), " -1.500000 * Y___________________________");
}

// A row longer than a stretch: its start shows at once, the rest follows between turns of
// the event loop, and a model opened meanwhile ends it without touching the old library.
TEST_F(CRowFormViewTest, ALongRowsEquationComesInStretchesUntilAnotherModelOpens) {
    constexpr int kColumns = 2 * static_cast<int>(EquationMaker::kTermsPerStretch) + 5;
    std::string mps = "NAME LONG\nROWS\n N COST\n L LONG\nCOLUMNS\n";
    for (int c = 0; c < kColumns; ++c) mps += " C" + std::to_string(c) + " LONG 1\n";
    mps += "RHS\n RHS LONG 5\nENDATA\n";
    openMatrix(folder.write("long.mps", mps));
    EquationView* pane = detail.equationPane();
    const auto chooseLongRow = [&] {
        chooseName("COST");
        chooseName("LONG");
        EXPECT_FALSE(pane->isWhole());
        EXPECT_TRUE(pane->toPlainText().startsWith(" 1.000000 * C0 +1.000000 * C1 "));
    };
    chooseLongRow();
    EXPECT_TRUE(QTest::qWaitFor([pane] { return pane->isWhole(); }));
    const QString whole = pane->toPlainText();
    EXPECT_EQ(whole.count(u'*'), kColumns);
    EXPECT_TRUE(whole.endsWith(" +1.000000 * C" + QString::number(kColumns - 1) + " <= 5.000000"));

    chooseLongRow();
    const QString start = pane->toPlainText();
    ASSERT_TRUE(doc.OnOpenDocument(apptest::copyData(folder, "small.mps"))) << ui.lastMessage;
    EXPECT_TRUE(QTest::qWaitFor([pane] { return pane->isWhole(); }));
    EXPECT_EQ(pane->toPlainText(), start);
}

// The list keeps nothing per entry: keys, the scroll bar, clicks and a shift-click spanning
// entries out of view still reach the entries they point at.
TEST_F(CRowFormViewTest, KeysScrollingAndClicksReachEntriesFarDownALongList) {
    constexpr int kEntries = 600;
    const auto name = [](char kind, int i) {
        return QString("%1%2").arg(kind).arg(i, 3, 10, QChar('0'));
    };
    // Row R000 holds every column and column C000 every row.
    std::string mps = "NAME LONG\nROWS\n";
    for (int i = 0; i < kEntries; ++i) mps += " L " + name('R', i).toStdString() + "\n";
    mps += "COLUMNS\n";
    for (int i = 0; i < kEntries; ++i) mps += " C000 " + name('R', i).toStdString() + " 1\n";
    for (int i = 1; i < kEntries; ++i) mps += " " + name('C', i).toStdString() + " R000 1\n";
    openMatrix(folder.write("long.mps", mps + "ENDATA\n"));
    chooseName("R000");
    EntryTableView& list = *detail.entryList();
    ASSERT_EQ(list.model()->rowCount(), kEntries);
    const auto shown = [&list](int row) {
        return list.viewport()->rect().contains(list.visualRect(list.model()->index(row, 0)));
    };
    const int page = list.viewport()->height() / list.rowHeight();
    ASSERT_LT(page, kEntries / 4);
    list.setFocus();
    for (const auto& [key, row] : {std::pair{Qt::Key_End, kEntries - 1},
                                   {Qt::Key_Home, 0},
                                   {Qt::Key_Down, 1},
                                   {Qt::Key_PageDown, 1 + page},
                                   {Qt::Key_PageUp, 1}}) {
        QTest::keyClick(&list, key);
        EXPECT_EQ(selectedEntryNames(), QStringList({name('C', row)})) << key;
        EXPECT_TRUE(shown(row)) << key;
    }
    list.verticalScrollBar()->setValue(300);
    EXPECT_TRUE(shown(302));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, entryCentre(302));
    EXPECT_EQ(selectedEntryNames(), QStringList({name('C', 302)}));

    detail.OnUpdate(2);
    chooseName("C000");
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, entryCentre(3));
    list.verticalScrollBar()->setValue(440);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, entryCentre(450));
    const QStringList selected = selectedEntryNames();
    ASSERT_EQ(selected.size(), 448);
    EXPECT_EQ(selected.front() + selected.back(), name('R', 3) + name('R', 450));
}

}  // namespace
