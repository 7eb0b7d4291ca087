#pragma once

#include <QFont>
#include <QRect>

// Converts a dialog template's units to pixels for a font: horizontally a quarter of the
// font's average character width (that of the 52 letters A-Z, a-z), vertically an eighth of
// its height, so forms keep their proportions with any font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int averageWidth, int height) : m_baseX(averageWidth), m_baseY(height) {}

    int x(int units) const { return units * m_baseX / 4; }
    int y(int units) const { return units * m_baseY / 8; }
    // A template rectangle (x, y, width, height) in pixels; edges are converted, not sizes,
    // so neighbouring controls stay flush.
    QRect rect(int left, int top, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};
