#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "MagnitudeHistogram.h"

// Decade counts as bars, one per decade from the smallest to the largest that holds values,
// each in the picture's colour for its decade and labelled with its power of ten and count.
// A click on a bar reports its decade.
class HistogramWidget : public QWidget {
    Q_OBJECT
public:
    explicit HistogramWidget(QWidget* parent = nullptr);

    void setCounts(std::vector<DecadeCount> counts);
    const std::vector<DecadeCount>& counts() const { return m_counts; }
    // The bar's rectangle in the widget, for a decade that has one.
    std::optional<QRect> barRect(int decade) const;

signals:
    void decadeClicked(int decade);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return {480, 260}; }

private:
    int slotCount() const;
    QRect slotRect(int slot) const;

    std::vector<DecadeCount> m_counts;
};
