#include "StretchLayout.h"

#include <QLabel>
#include <algorithm>
#include <climits>

namespace {

// Moves an edge that lies past the marker by the whole change, one within it by half.
int movedEdge(int edge, int markerLow, int markerHigh, int whole, int half) {
    if (edge > markerHigh) return edge + whole;
    if (edge > markerLow) return edge + half;
    return edge;
}

}  // namespace

void StretchLayout::Axis::scan(int edge, int markerLow, int markerHigh) {
    if (edge <= markerLow) {
        fixedMax = std::max(fixedMax, edge);
    } else if (edge <= markerHigh) {
        innerMax = hasInner ? std::max(innerMax, edge) : edge;
        innerMin = hasInner ? std::min(innerMin, edge) : edge;
        hasInner = true;
    } else {
        movingMin = hasMoving ? std::min(movingMin, edge) : edge;
        hasMoving = true;
    }
}

std::pair<int, int> StretchLayout::Axis::markerEdges() const {
    const int low = fixedMax + 2;
    if (hasInner) return {low, innerMax + 2};
    if (hasMoving) return {low, (fixedMax + movingMin) / 2};
    return {low, low};
}

int StretchLayout::Axis::shrinkLimit(int low, int high) const {
    int limit = INT_MAX;
    if (hasMoving) limit = std::min({movingMin - low, 2 * (movingMin - high) - 2});
    if (hasInner) limit = std::min(limit, 2 * (innerMin - low) - 1);
    return limit;
}

int StretchLayout::Axis::halfChange(int change) {
    int half = change / 2;
    if (change % 2 == 0) return half;
    oddCounter += change > 0 ? 1 : -1;
    if (oddCounter == 2 || oddCounter == -2) {
        half += oddCounter / 2;
        oddCounter = 0;
    }
    return half;
}

void StretchLayout::setUp(QWidget& form, QWidget& marker, QSize designedSize) {
    m_form = &form;
    m_marker = &marker;
    m_last = designedSize;
    m_x = Axis();
    m_y = Axis();
    const QRect m = marker.geometry();
    const int markerRight = m.x() + m.width();
    const int markerBottom = m.y() + m.height();
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == &marker) continue;
        const QRect r = child->geometry();
        m_x.scan(r.x(), m.x(), markerRight);
        m_x.scan(r.x() + r.width(), m.x(), markerRight);
        m_y.scan(r.y(), m.y(), markerBottom);
        m_y.scan(r.y() + r.height(), m.y(), markerBottom);
    }
    const auto [left, right] = m_x.markerEdges();
    const auto [top, bottom] = m_y.markerEdges();
    marker.setGeometry(left, top, right - left, bottom - top);
    const int shrinkX = m_x.shrinkLimit(left, right);
    const int shrinkY = m_y.shrinkLimit(top, bottom);
    m_minimum = QSize(shrinkX == INT_MAX ? 0 : std::max(0, designedSize.width() - shrinkX + 2),
                      shrinkY == INT_MAX ? 0 : std::max(0, designedSize.height() - shrinkY + 2));
    resize(form.size());
}

void StretchLayout::resize(QSize newSize) {
    if (!m_form || !m_marker) return;
    const QSize size = newSize.expandedTo(m_minimum);
    const int dx = size.width() - m_last.width();
    const int dy = size.height() - m_last.height();
    const int hx = m_x.halfChange(dx);
    const int hy = m_y.halfChange(dy);
    const QRect m = m_marker->geometry();
    const int mL = m.x(), mT = m.y(), mR = m.x() + m.width(), mB = m.y() + m.height();
    for (QWidget* child : m_form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == m_marker) continue;
        const QRect r = child->geometry();
        const int l = movedEdge(r.x(), mL, mR, dx, hx);
        const int rr = movedEdge(r.x() + r.width(), mL, mR, dx, hx);
        const int t = movedEdge(r.y(), mT, mB, dy, hy);
        const int b = movedEdge(r.y() + r.height(), mT, mB, dy, hy);
        child->setGeometry(l, t, rr - l, b - t);
    }
    m_marker->setGeometry(mL, mT, m.width() + hx, m.height() + hy);
    m_last = size;
}
