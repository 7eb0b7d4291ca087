#pragma once

#include <QRect>

// The left or right half of a screen's work area: full height, half the width (rounded down),
// starting at the area's left edge or at its horizontal middle.
QRect halfOfWorkArea(const QRect& workArea, bool rightHalf);
