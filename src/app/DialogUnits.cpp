#include "DialogUnits.h"

#include <QFontMetrics>

namespace {

constexpr const char* kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLetterCount = 52;

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_baseX = (metrics.horizontalAdvance(kLetters) / (kLetterCount / 2) + 1) / 2;
    m_baseY = metrics.height();
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    const int l = x(left);
    const int t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}
