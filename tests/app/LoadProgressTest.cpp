#include <QDialog>
#include <QFile>
#include <cstdlib>
#include <fstream>

#include "AppTestSupport.h"

namespace {

class LoadProgressTest : public apptest::AppTest {
protected:
    LoadProgressTest() { withSmallModel().setLoadProgressTiming(0, 0); }
    // About 4 MB of COLUMNS: many blocks of input, so the reader asks many times.
    std::string largeModel() {
        const std::string path = folder / "LARGE.mps";
        std::ofstream out(path);
        out << "NAME LARGE\nROWS\n N COST\n L R1\n G R2\nCOLUMNS\n";
        for (int column = 0; column < 60000; ++column)
            out << "    COLUMN" << column << "  COST  1.5  R1  2.25\n    COLUMN" << column
                << "  R2  -3.125\n";
        out << "RHS\n    RHS  R1  4\nENDATA\n";
        return path;
    }
    QDialog* box() { return frame().findChild<QDialog*>("LoadProgress"); }
};

TEST_F(LoadProgressTest, WindowProcessesEventsWhileTheFileIsReadAndCancelLeavesItEmpty) {
    const std::string path = largeModel();
    bool loading = false;
    int firedWhileLoading = 0;
    QStringList shown;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        if (loading) ++firedWhileLoading;
        if (box() != nullptr && box()->isVisible()) shown << box()->findChild<QLabel*>()->text();
    });
    ticks.start(0);
    loading = true;
    const CNorvaDoc* opened = app().openMatrixPathShowingProgress(path);
    loading = false;
    ticks.stop();
    ASSERT_NE(opened, nullptr);
    EXPECT_GT(firedWhileLoading, 1);
    const QString total = QString::number(QFile(apptest::qt(path)).size() / 1e6, 'f', 1);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_FALSE(shown.filter("Reading COLUMNS: ").isEmpty()) << shown.join("|").toStdString();
    EXPECT_TRUE(shown.back().endsWith(" of " + total + " MB read")) << shown.back().toStdString();
    EXPECT_EQ(opened->model().columns.size(), 60000u);
    EXPECT_EQ(box(), nullptr);  // gone with the open

    // Plain and gzip MPS and ORB: each reader stops at the first block after Cancel.
    const std::string orb = folder / "LARGE.orb";
    app().document()->matrixObject()->saveToFile(orb);
    const std::string gz = folder / "LARGE.mps.gz";
    ASSERT_EQ(std::system(("gzip -c " + path + " > " + gz).c_str()), 0);
    for (const std::string& file : {path, gz, orb}) {
        SCOPED_TRACE(file);
        QTimer::singleShot(0, [&] {
            ASSERT_NE(box(), nullptr);
            box()->findChild<QPushButton*>()->click();
        });
        EXPECT_EQ(app().openMatrixPathShowingProgress(file), nullptr);
        const CNorvaDoc& doc = *app().document();
        EXPECT_TRUE(doc.model().rows.empty());
        EXPECT_TRUE(doc.model().columns.empty());
        EXPECT_EQ(doc.matrixObject(), nullptr);
        EXPECT_TRUE(ui.all.empty());
        EXPECT_FALSE(std::filesystem::exists(folder / "LARGE_err.log"));
        EXPECT_FALSE(app().frame()->windowTitle().contains("LARGE"));
        // The next open reads in full again.
        EXPECT_NE(app().openMatrixPathShowingProgress(file), nullptr);
    }
}

}  // namespace
