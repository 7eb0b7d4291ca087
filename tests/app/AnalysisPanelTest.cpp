#include "AnalysisPanel.h"
#include "AppTestSupport.h"
#include "DecadePalette.h"
#include "HistogramWidget.h"
#include "MagnitudePictureWidget.h"
#include "PictureCommand.h"

namespace {

using apptest::qt;

const std::string kBlocks = std::string(NORVA_TEST_DATA_DIR) + "/analysis/blocks.mps";

// blocks.mps in file order: rows COST, CAP_1, DEM1, CAP_2, DEM2, BAL, SPARE and columns X1,
// Y1, X2, Y2, EMPTY, drawn 10 pixels to each.
class AnalysisPanelTest : public apptest::AppTest {
protected:
    AnalysisPanelTest() {
        EXPECT_NE(started().openMatrixPath(kBlocks), nullptr) << ui.lastMessage;
        panel().show();
        panel().picture()->setFixedSize(50, 70);
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return panel().ready() && panel().picture()->upToDate(); }, 10000));
    }
    AnalysisPanel& panel() { return *app().analysisPanel(); }
};

TEST_F(AnalysisPanelTest, ClickOnAPixelShowsItsRowOrWithCtrlItsColumnAndADragZooms) {
    ASSERT_TRUE(panel().ready() && panel().picture()->upToDate());
    MagnitudePictureWidget& picture = *panel().picture();
    const QPoint cap2y2(35, 35);
    EXPECT_EQ(picture.image().pixel(cap2y2), decadeColour(2));  // CAP_2's 100 in Y2
    QTest::mouseClick(&picture, Qt::LeftButton, {}, cap2y2);
    EXPECT_EQ(shownName(), "CAP_2");
    QTest::mouseClick(&picture, Qt::LeftButton, Qt::ControlModifier, cap2y2);
    EXPECT_FALSE(app().detailView()->logic().rowDisplay());
    EXPECT_EQ(shownName(), "Y2");
    QTest::mousePress(&picture, Qt::LeftButton, {}, QPoint(12, 52));
    QTest::mouseMove(&picture, QPoint(38, 58));
    QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(38, 58));
    const PictureView view = picture.view();  // BAL across Y1, X2, Y2
    EXPECT_EQ(
        (std::vector<std::uint32_t>{view.rowBegin, view.rowEnd, view.columnBegin, view.columnEnd}),
        (std::vector<std::uint32_t>{5, 6, 1, 4}));
}

// The decade-0 bar holds five coefficients: the submatrix gets exactly those.
TEST_F(AnalysisPanelTest, HistogramBarFillsTheSubmatrix) {
    HistogramWidget& histogram = *panel().histogram();
    histogram.resize(400, 200);
    const std::optional<QRect> bar = histogram.barRect(0);
    ASSERT_TRUE(bar.has_value());
    QTest::mouseClick(&histogram, Qt::LeftButton, {}, bar->center());
    const Submatrix& submatrix = app().submatrixView()->logic().submatrix();
    std::size_t coefficients = 0;
    for (std::size_t c = 0; c < submatrix.columnCount(); ++c)
        coefficients += submatrix.column(c).entries.size();
    EXPECT_EQ(coefficients, 5u);
    EXPECT_EQ(submatrix.rowCount(), 4u);  // COST (X1 and X2), CAP_1, DEM2, BAL
}

TEST_F(AnalysisPanelTest, ThresholdsMarkTheLevelsAndAStemsDoubleClickShowsItsFirstRow) {
    const QList<QLineEdit*> edits = panel().findChildren<QLineEdit*>();  // attention, bad
    ASSERT_EQ(edits.size(), 2);
    const QAbstractItemModel& table = *panel().scalingTable()->model();
    EXPECT_EQ(table.index(0, 5).data().toString(), "");  // BAL, ratio 1e4
    edits[0]->setText("1000");
    emit edits[0]->editingFinished();
    EXPECT_EQ(table.index(0, 5).data().toString(), "attention");
    EXPECT_EQ(store.readString(SettingsScope::kProfile, "Options", "ScalingAttention"), "1000");
    edits[0]->setText("-3");
    emit edits[0]->editingFinished();
    EXPECT_EQ(edits[0]->text(), "1000");
    panel().scalingList()->setCurrentIndex(2);
    QTableView& stems = *panel().scalingTable();
    ASSERT_EQ(stems.model()->rowCount(), 4);
    EXPECT_EQ(stems.model()->index(1, 0).data().toString(), "DEM");
    emit stems.doubleClicked(stems.model()->index(1, 0));
    EXPECT_EQ(shownName(), "DEM1");
}

// The failed open's message box lets the pane take events while the model is already cleared.
TEST_F(AnalysisPanelTest, AFailedOpenLeavesNothingPointingIntoTheClearedModel) {
    MagnitudePictureWidget& picture = *panel().picture();
    bool shown = false;
    ui.whileShown = [&] {
        shown = true;
        EXPECT_FALSE(picture.hitAt(QPoint(35, 35)).has_value());
        QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(35, 35));
        panel().scalingList()->setCurrentIndex(1);
        EXPECT_EQ(panel().scalingTable()->model()->rowCount(), 0);
    };
    EXPECT_EQ(app().openMatrixPath(folder / "missing.mps"), nullptr);
    EXPECT_TRUE(shown);
}

TEST_F(AnalysisPanelTest, ExportsWriteFilesAndNameWhatFails) {
    EXPECT_EQ(panel().exportReport(folder / "report.csv"), "");
    EXPECT_EQ(panel().exportPicture(folder / "picture.png"), "");
    EXPECT_FALSE(QImage(qt(folder / "picture.png")).isNull());
    EXPECT_NE(panel().exportReport(folder.path()), "");
    EXPECT_NE(panel().exportPicture(folder / "missing/picture.png"), "");
}

TEST(PictureCommandTest, WritesThePictureAndRejectsBadArguments) {
    const testsupport::TempFolder folder;
    const std::string out = folder / "m.png";
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"--picture", out, "--size", "30x20", "--order", "stem", kBlocks}, 0},
        {{"--picture", out, "--size", "0x20", kBlocks}, 2},
        {{"--picture", out, "--size", "20", kBlocks}, 2},
        {{"--picture", out, "--order", "random", kBlocks}, 2},
        {{"--picture", out}, 2},
        {{"--picture", out, "--frame", kBlocks}, 2},
        {{"--picture", out, folder / "none.mps"}, 1},
        {{"--picture", folder.path(), kBlocks}, 1},
    };
    for (const auto& [arguments, exitCode] : cases) {
        SCOPED_TRACE(arguments[arguments.size() - 2]);
        std::vector<const char*> argv = {"norva"};
        for (const std::string& argument : arguments) argv.push_back(argument.c_str());
        EXPECT_TRUE(isPictureCommand(static_cast<int>(argv.size()), argv.data()));
        EXPECT_EQ(runPictureCommand(static_cast<int>(argv.size()), argv.data()), exitCode);
    }
    EXPECT_EQ(QImage(qt(out)).size(), QSize(30, 20));
}

}  // namespace
