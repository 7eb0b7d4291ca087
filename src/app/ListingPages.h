#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

// A listing laid out on pages in a fixed-pitch font: as many lines as fit a page, a footer
// with the title and the page number. Lines wider than the page are cut at its edge. Pages
// are laid out in the device's pixels, so that a preview can draw any one page at any scale
// without drawing the others.
class ListingPages {
public:
    struct Geometry {
        QSize page;  // the printable area, in device pixels
        int dpi = 72;
        int lineSpacing = 1;
        int ascent = 0;
        int linesPerPage = 1;
        int pageCount = 1;
    };

    ListingPages(QStringList lines, QString title);

    Geometry geometryFor(QPagedPaintDevice& device) const;
    // Paints every page onto device, starting a new page after each but the last. False when
    // the device cannot be painted on (no printer, a PDF file that cannot be written).
    bool paint(QPagedPaintDevice& device) const;
    // Paints page (from 0) with its top left corner at the painter's origin, in the units
    // of geometry.
    void paintPage(QPainter& painter, const Geometry& geometry, int page) const;

    // The listing's font at dpi dots per inch.
    static QFont listingFont(int dpi);

private:
    QStringList m_lines;
    QString m_title;
};

// The lines of a listing file's text: the last line may lack its line end.
QStringList listingLines(const QString& text);
