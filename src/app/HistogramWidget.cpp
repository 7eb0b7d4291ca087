#include "HistogramWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "DecadePalette.h"

namespace {

constexpr int kMargin = 8;
constexpr int kLabelHeight = 34;

}  // namespace

HistogramWidget::HistogramWidget(QWidget* parent) : QWidget(parent) { setMinimumHeight(120); }

void HistogramWidget::setCounts(std::vector<DecadeCount> counts) {
    m_counts = std::move(counts);
    update();
}

// Empty decades between the first and last keep their place, so that gaps show.
int HistogramWidget::slotCount() const {
    return m_counts.empty() ? 0 : m_counts.back().decade - m_counts.front().decade + 1;
}

QRect HistogramWidget::slotRect(int slot) const {
    const int cells = std::max(1, slotCount());
    const int inner = width() - 2 * kMargin;
    const int left = kMargin + slot * inner / cells;
    const int right = kMargin + (slot + 1) * inner / cells;
    return {left, kMargin, right - left, height() - 2 * kMargin - kLabelHeight};
}

std::optional<QRect> HistogramWidget::barRect(int decade) const {
    std::size_t largest = 1;
    for (const DecadeCount& count : m_counts) largest = std::max(largest, count.count);
    for (const DecadeCount& count : m_counts) {
        if (count.decade != decade) continue;
        const QRect slot = slotRect(decade - m_counts.front().decade);
        const int barHeight = std::max(
            2, static_cast<int>(static_cast<double>(slot.height()) * count.count / largest));
        return QRect(slot.left() + 2, slot.bottom() - barHeight + 1, slot.width() - 4, barHeight);
    }
    return std::nullopt;
}

void HistogramWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_counts.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, tr("No values"));
        return;
    }
    for (const DecadeCount& count : m_counts) {
        const QRect bar = *barRect(count.decade);
        painter.fillRect(bar, QColor::fromRgb(decadeColour(count.decade)));
        painter.setPen(palette().text().color());
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
        const QRect slot = slotRect(count.decade - m_counts.front().decade);
        const QRect label(slot.left(), slot.bottom() + 2, slot.width(), kLabelHeight);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("1e%1\n%2").arg(count.decade).arg(count.count));
    }
}

void HistogramWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_counts.empty()) return;
    const QPoint at = event->position().toPoint();
    for (const DecadeCount& count : m_counts) {
        const QRect slot = slotRect(count.decade - m_counts.front().decade);
        if (at.x() >= slot.left() && at.x() <= slot.right()) emit decadeClicked(count.decade);
    }
}
