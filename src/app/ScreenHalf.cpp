#include "ScreenHalf.h"

QRect halfOfWorkArea(const QRect& workArea, bool rightHalf) {
    const int left = workArea.left();
    const int right = workArea.left() + workArea.width();  // exclusive
    const int x = rightHalf ? (left + right) / 2 : left;
    return QRect(x, workArea.top(), workArea.width() / 2, workArea.height());
}
