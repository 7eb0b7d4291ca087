// print-preview-bench [ENTRIES]: times the built-in viewer's work on a row of ENTRIES entries
// (300,000 by default): the listing text, its pages written as a PDF, and the preview
// window from its making until its pages in view are drawn, and a jump to the last page. Run with
// QT_QPA_PLATFORM=offscreen. print-preview-bench --grab OUT.png LISTING: saves a picture of the
// preview of a listing file (a kept MLIST.TMP), for the documentation.

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QScrollBar>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DetailEntries.h"
#include "DetailListing.h"
#include "ListingPages.h"
#include "ListingPreview.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The entries view their names, which live as long as the program.
DetailContent longRow(std::size_t entries) {
    static std::vector<std::string> names;
    names.resize(entries);
    DetailContent content;
    content.headers = detailHeaders(true);
    content.L1 = "Row Type: LE";
    content.L2 = "RHS Value: 5.00000";
    content.entries.resize(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        names[i] = "COL" + std::to_string(i);
        content.entries[i].name = names[i];
        content.entries[i].coefficient = 1.0 + static_cast<double>(i % 97);
        content.entries[i].counterpartValue = 0.5;
        content.entries[i].calculatedValue = 0.5 + static_cast<double>(i % 97) / 2;
    }
    return content;
}

int grabPreview(const QString& picture, const QString& listingPath) {
    QFile file(listingPath);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "print-preview-bench: cannot read %s\n", qPrintable(listingPath));
        return 1;
    }
    const QStringList lines = listingLines(QString::fromLocal8Bit(file.readAll()));
    const ListingPages pages(lines, lines.size() > 2 ? lines[2] : QString());
    QPrinter printer(QPrinter::HighResolution);
    ListingPreview preview(pages, printer, lines.size() > 2 ? lines[2] : QString());
    preview.show();
    QApplication::processEvents();
    return preview.grab().save(picture) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--grab") return grabPreview(argv[2], argv[3]);
    const std::size_t entries = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 300000;

    Clock::time_point start = Clock::now();
    const DetailContent row = longRow(entries);
    const std::string text = DetailListingText("/models/long.mps", true, "LONGROW", row);
    const QStringList lines = listingLines(QString::fromStdString(text));
    std::printf("listing text:   %9.1f ms (%lld lines)\n", millisecondsSince(start),
                static_cast<long long>(lines.size()));

    const ListingPages pages(lines, "Row: LONGROW");
    start = Clock::now();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        std::printf("pages:          %9d\n", pages.geometryFor(writer).pageCount);
        pages.paint(writer);
    }
    std::printf("PDF pages:      %9.1f ms (%lld bytes)\n", millisecondsSince(start),
                static_cast<long long>(pdf.data().size()));

    QPrinter printer(QPrinter::HighResolution);
    start = Clock::now();
    ListingPreview preview(pages, printer, "Row: LONGROW");
    preview.show();
    // grab() paints the window as the screen would: the pages in view.
    const QPixmap shown = preview.grab();
    std::printf("preview shown:  %9.1f ms (%dx%d)\n", millisecondsSince(start), shown.width(),
                shown.height());
    start = Clock::now();
    QScrollBar* scroll = preview.pageView()->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    preview.grab();
    std::printf("last page:      %9.1f ms\n", millisecondsSince(start));
    return 0;
}
