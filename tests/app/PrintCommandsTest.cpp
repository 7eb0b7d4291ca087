#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "AppTestSupport.h"

namespace {

using apptest::qt;

// poppler's output for pdf: pdftotext keeping the layout of one page, or pdfinfo.
QString poppler(const QString& program, QStringList arguments, const QString& pdf) {
    arguments << pdf;
    if (program == "pdftotext") arguments << "-";
    QProcess run;
    run.start(program, arguments);
    run.waitForFinished(60000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

QStringList words(const QString& text) {
    return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

// File Print and printing to PDF from the shell. The test program has no session bus, so no
// viewer is served there and the built-in one stands in.
using PrintCommandsTest = apptest::AppTest;

TEST_F(PrintCommandsTest, PrintFollowsTheShownNameAndTheActiveViewAndNeedsAViewerWhenBusOnly) {
    store.writeInteger(SettingsScope::kProfile, "Options", "ViewerBusOnly", 1);
    CNorvaApp& norva = withSmallModel();
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
    norva.OnFilePrint();
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_EQ(ui.lastMessage.rfind("Unable to launch the TARN Viewer \"Tv.ExE\"", 0), 0u);
    EXPECT_GT(std::filesystem::file_size(folder / "MLIST.TMP"), 0u);
    // An empty document has no name to print.
    norva.OnFileNew();
    EXPECT_FALSE(print->isEnabled());
}

// Every line of the listing is on the pages in order, the pages after the first (table lines
// only) are full but the last, and each footer names its page; no window is shown.
TEST_F(PrintCommandsTest, PrintToPdfWritesTheListingOfARowOrColumnAsPages) {
    const std::string netlib = NORVA_SHARED_DATA_DIR "/netlib/fit1d.mps.gz";
    if (!std::filesystem::exists(netlib)) GTEST_SKIP() << "no " << netlib;
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    // The option, its name, the footer's word and the fewest pages.
    for (const auto& [option, name, word, fewest] :
         {std::tuple{"--row", "PENALTY", "Row:", 10}, {"--col", "R0200001", "Column:", 1}}) {
        SCOPED_TRACE(name);
        const QString pdf = qt(folder / (std::string(name) + ".pdf"));
        const CNorvaApp::StartResult result =
            start({"--print-to-pdf", pdf, qt(netlib), option, name});
        ASSERT_EQ(result.exitCode, 0) << ui.lastMessage;
        EXPECT_FALSE(result.keepRunning || app().frame()->isVisible());
        const QString shownPath = QFileInfo(qt(netlib)).absoluteFilePath();
        QStringList listing =
            qt(app().detailView()->logic().listing(shownPath.toStdString())).split('\n');
        if (listing.last().isEmpty()) listing.removeLast();
        const int pages =
            poppler("pdfinfo", {}, pdf).section("Pages:", 1).section('\n', 0, 0).toInt();
        ASSERT_GE(pages, fewest);
        QStringList printed;
        std::vector<qsizetype> linesOnPage;
        for (int page = 1; page <= pages; ++page) {
            const QString number = QString::number(page);
            QStringList lines =
                poppler("pdftotext", {"-layout", "-f", number, "-l", number}, pdf).split('\n');
            lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_EQ(lines.takeLast().trimmed(),
                      QString("%1 %2 - Page %3 of %4").arg(word, name).arg(page).arg(pages));
            linesOnPage.push_back(lines.size());
            for (const QString& line : lines) printed << words(line);
        }
        for (int page = 2; page < pages; ++page) EXPECT_EQ(linesOnPage[page - 1], linesOnPage[1]);
        if (pages >= 3) {
            EXPECT_EQ(pages, (listing.size() + linesOnPage[1] - 1) / linesOnPage[1]);
        }
        EXPECT_EQ(printed, words(listing.join('\n')));
    }
}

}  // namespace
