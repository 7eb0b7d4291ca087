#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <filesystem>
#include <memory>
#include <vector>

#include "AppTestSupport.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "CRowFormView.h"
#include "MemorySettingsStore.h"

namespace {

using apptest::qt;

// The text of one page of pdf, by poppler's pdftotext keeping the layout.
QString pageText(const QString& pdf, int page) {
    QProcess run;
    const QString number = QString::number(page);
    run.start("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"});
    run.waitForFinished(60000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    QProcess run;
    run.start("pdfinfo", {pdf});
    run.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

QStringList words(const QString& text) {
    return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

class PrintToPdfTest : public ::testing::Test {
protected:
    PrintToPdfTest() : m_previousDirectory(QDir::currentPath()) {}
    ~PrintToPdfTest() override { QDir::setCurrent(m_previousDirectory); }

    CNorvaApp::StartResult start(const QStringList& arguments) {
        m_app = std::make_unique<CNorvaApp>(store, ui, qt(folder / "bin/norva"));
        return m_app->InitInstance(arguments);
    }

    testsupport::TempFolder folder;
    MemorySettingsStore store;
    apptest::MessageLog ui;
    std::unique_ptr<CNorvaApp> m_app;

private:
    QString m_previousDirectory;
};

// Every line of the listing is on the pages in order, each page but the last full, and each
// page's footer names the page; nothing is shown.
TEST_F(PrintToPdfTest, WritesTheListingOfARowOrColumnAsPagesOfAPdf) {
    const std::string model = NORVA_SHARED_DATA_DIR "/netlib/fit1d.mps.gz";
    if (!std::filesystem::exists(model)) GTEST_SKIP() << "no " << model;
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    struct Case {
        const char* option;
        const char* name;
        int minimumPages;
    };
    for (const Case& c : {Case{"--row", "PENALTY", 10}, Case{"--col", "R0200001", 1}}) {
        SCOPED_TRACE(c.name);
        const QString pdf = qt(folder / (std::string(c.name) + ".pdf"));
        const CNorvaApp::StartResult result =
            start({"--print-to-pdf", pdf, qt(model), c.option, c.name});
        EXPECT_FALSE(result.keepRunning);
        ASSERT_EQ(result.exitCode, 0) << ui.lastMessage;
        EXPECT_FALSE(m_app->frame()->isVisible());
        const std::string shownPath = QFileInfo(qt(model)).absoluteFilePath().toStdString();
        const QStringList listing =
            QString::fromStdString(m_app->detailView()->logic().listing(shownPath)).split('\n');
        const int pages = pageCount(pdf);
        ASSERT_GE(pages, c.minimumPages);
        QStringList printedWords;
        std::vector<qsizetype> linesOnPage;
        for (int page = 1; page <= pages; ++page) {
            QStringList lines = pageText(pdf, page).split('\n');
            lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
            ASSERT_FALSE(lines.isEmpty());
            const QString footer = lines.takeLast().trimmed();
            EXPECT_EQ(footer,
                      QString("%1 %2 - Page %3 of %4")
                          .arg(c.option == std::string("--row") ? "Row:" : "Column:", c.name)
                          .arg(page)
                          .arg(pages));
            linesOnPage.push_back(lines.size());
            for (const QString& line : lines) printedWords << words(line);
        }
        // Pages after the first hold table lines only, none of them empty: each but the last
        // is full, and the page count follows from that.
        if (pages >= 3) {
            const qsizetype perPage = linesOnPage[1];
            for (int page = 2; page < pages; ++page) EXPECT_EQ(linesOnPage[page - 1], perPage);
            const qsizetype listingLines = listing.size() - (listing.last().isEmpty() ? 1 : 0);
            EXPECT_EQ(pages, (listingLines + perPage - 1) / perPage);
        }
        QStringList listingWords;
        for (const QString& line : listing) listingWords << words(line);
        EXPECT_EQ(printedWords, listingWords);
    }
}

TEST_F(PrintToPdfTest, ANameNotInTheModelOrAnUnwritablePdfEndsWithFailure) {
    const std::string model = folder.write("small.mps", apptest::kSmallMps);
    std::filesystem::create_directory(folder / "taken.pdf");
    for (const QStringList& arguments :
         {QStringList{"--print-to-pdf", qt(folder / "a.pdf"), qt(model), "--row", "NOSUCH"},
          QStringList{"--print-to-pdf", qt(folder / "a.pdf"), qt(model), "--col", "LIM"},
          QStringList{"--print-to-pdf", qt(folder / "taken.pdf"), qt(model)},
          QStringList{"--print-to-pdf", qt(folder / "a.pdf"), qt(folder / "missing.mps")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CNorvaApp::StartResult result = start(arguments);
        EXPECT_FALSE(result.keepRunning);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_FALSE(std::filesystem::exists(folder / "a.pdf"));
    }
}

}  // namespace

namespace {

// A printer that does not exist, or none at all (this machine has none), is reported and
// ends the start with failure, no listing file left behind.
TEST_F(PrintToPdfTest, ShellPrintWithoutThePrinterIsReported) {
    const std::string model = folder.write("small.mps", apptest::kSmallMps);
    const std::pair<QStringList, std::string> cases[] = {
        {{"--print-to", "NoSuchPrinter_4711", qt(model)},
         "There is no printer named \"NoSuchPrinter_4711\"."},
        {{"/p", qt(model)}, "The listing could not be printed: no printer is installed or chosen."},
    };
    // A machine with a printer would really print the second case.
    const bool printerInstalled = !QPrinterInfo::availablePrinterNames().isEmpty();
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(message);
        if (printerInstalled && arguments.size() == 2) continue;
        const CNorvaApp::StartResult result = start(arguments);
        EXPECT_FALSE(result.keepRunning);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(ui.lastCaption, "Error");
        EXPECT_EQ(ui.lastMessage, message);
        EXPECT_FALSE(std::filesystem::exists(folder / "MLIST.TMP"));
    }
}

}  // namespace
