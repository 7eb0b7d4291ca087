#include "ListingPages.h"

#include <QFontMetrics>
#include <QObject>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kPointSize = 9;

int footerHeight(const QFontMetrics& metrics) { return 2 * metrics.lineSpacing(); }

}  // namespace

ListingPages::ListingPages(QStringList lines, QString title)
    : m_lines(std::move(lines)), m_title(std::move(title)) {}

QFont ListingPages::listingFont() {
    QFont font("DejaVu Sans Mono", kPointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

int ListingPages::linesPerPage(QPagedPaintDevice& device) const {
    const QFontMetrics metrics(listingFont(), &device);
    const int usable = device.height() - footerHeight(metrics);
    return std::max(1, usable / std::max(1, metrics.lineSpacing()));
}

int ListingPages::pageCount(QPagedPaintDevice& device) const {
    const int perPage = linesPerPage(device);
    return std::max<int>(1, static_cast<int>((m_lines.size() + perPage - 1) / perPage));
}

bool ListingPages::paint(QPagedPaintDevice& device) const {
    const int perPage = linesPerPage(device);
    const int pages = pageCount(device);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setFont(listingFont());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) return false;
        paintPage(painter, page, pages, perPage);
    }
    return painter.end();
}

void ListingPages::paintPage(QPainter& painter, int page, int pages, int perPage) const {
    const QFontMetrics metrics = painter.fontMetrics();
    const int spacing = metrics.lineSpacing();
    const qsizetype first = static_cast<qsizetype>(page) * perPage;
    const qsizetype last = std::min<qsizetype>(m_lines.size(), first + perPage);
    int baseline = metrics.ascent();
    for (qsizetype i = first; i < last; ++i, baseline += spacing)
        painter.drawText(0, baseline, m_lines[i]);
    const int height = painter.device()->height();
    const QString footer = QObject::tr("%1 - Page %2 of %3").arg(m_title).arg(page + 1).arg(pages);
    painter.drawText(QRect(0, height - spacing, painter.device()->width(), spacing),
                     Qt::AlignHCenter | Qt::AlignBottom, footer);
}

QStringList listingLines(const QString& text) {
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}
