#include "ListingPages.h"

#include <QFontMetrics>
#include <QObject>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kPointSize = 9;

}  // namespace

ListingPages::ListingPages(QStringList lines, QString title)
    : m_lines(std::move(lines)), m_title(std::move(title)) {}

// Pixel sizes rather than points: the same geometry then holds on a scaled screen painter.
QFont ListingPages::listingFont(int dpi) {
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(std::max(1, kPointSize * dpi / 72));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

ListingPages::Geometry ListingPages::geometryFor(QPagedPaintDevice& device) const {
    Geometry geometry;
    geometry.page = QSize(device.width(), device.height());
    geometry.dpi = device.logicalDpiY();
    const QFontMetrics metrics(listingFont(geometry.dpi));
    geometry.lineSpacing = std::max(1, metrics.lineSpacing());
    geometry.ascent = metrics.ascent();
    // Two lines stay free for the footer.
    const int usable = geometry.page.height() - 2 * geometry.lineSpacing;
    geometry.linesPerPage = std::max(1, usable / geometry.lineSpacing);
    geometry.pageCount = std::max<int>(
        1, static_cast<int>((m_lines.size() + geometry.linesPerPage - 1) / geometry.linesPerPage));
    return geometry;
}

bool ListingPages::paint(QPagedPaintDevice& device) const {
    const Geometry geometry = geometryFor(device);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = 0; page < geometry.pageCount; ++page) {
        if (page > 0 && !device.newPage()) return false;
        paintPage(painter, geometry, page);
    }
    return painter.end();
}

void ListingPages::paintPage(QPainter& painter, const Geometry& geometry, int page) const {
    painter.setFont(listingFont(geometry.dpi));
    painter.setPen(Qt::black);
    const qsizetype first = static_cast<qsizetype>(page) * geometry.linesPerPage;
    const qsizetype last = std::min<qsizetype>(m_lines.size(), first + geometry.linesPerPage);
    int baseline = geometry.ascent;
    for (qsizetype i = first; i < last; ++i, baseline += geometry.lineSpacing)
        painter.drawText(0, baseline, m_lines[i]);
    const QString footer =
        QObject::tr("%1 - Page %2 of %3").arg(m_title).arg(page + 1).arg(geometry.pageCount);
    painter.drawText(QRect(0, geometry.page.height() - geometry.lineSpacing, geometry.page.width(),
                           geometry.lineSpacing),
                     Qt::AlignHCenter | Qt::AlignBottom, footer);
}

QStringList listingLines(const QString& text) {
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}
