#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

// A listing laid out on pages in a fixed-pitch font: as many lines as fit a page, a footer
// with the title and the page number. Lines wider than the page are cut at its edge.
class ListingPages {
public:
    ListingPages(QStringList lines, QString title);

    // Paints every page onto device, starting a new page after each but the last. False when
    // the device cannot be painted on (no printer, a PDF file that cannot be written).
    bool paint(QPagedPaintDevice& device) const;
    // Lines on one page of device.
    int linesPerPage(QPagedPaintDevice& device) const;
    int pageCount(QPagedPaintDevice& device) const;

    static QFont listingFont();

private:
    void paintPage(QPainter& painter, int page, int pages, int perPage) const;

    QStringList m_lines;
    QString m_title;
};

// The lines of a listing file's text: the last line may lack its line end.
QStringList listingLines(const QString& text);
