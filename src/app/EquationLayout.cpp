#include "EquationLayout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

QFont withoutKerning(QFont font, bool bold) {
    font.setKerning(false);
    font.setBold(bold);
    return font;
}

}  // namespace

EquationLayout::EquationLayout(const QFont& font)
    : m_fonts{withoutKerning(font, false), withoutKerning(font, true)} {
    for (int f = 0; f < 2; ++f) {
        const QFontMetricsF metrics(m_fonts[f]);
        for (int c = 0; c < 256; ++c)
            m_latin[f][c] = static_cast<float>(metrics.horizontalAdvance(QChar(c)));
        m_lineHeight = std::max(m_lineHeight, static_cast<int>(std::ceil(metrics.lineSpacing())));
        m_ascent = std::max(m_ascent, static_cast<int>(std::ceil(metrics.ascent())));
    }
}

qreal EquationLayout::otherAdvance(char16_t code, bool marked) const {
    const int f = marked ? 1 : 0;
    auto found = m_other[f].constFind(code);
    if (found == m_other[f].constEnd())
        found = m_other[f].insert(
            code, static_cast<float>(QFontMetricsF(m_fonts[f]).horizontalAdvance(QChar(code))));
    return *found;
}

qreal EquationLayout::width(const QString& text, const std::vector<TextSpan>& marks,
                            qsizetype begin, qsizetype end) const {
    MarkCursor cursor(marks, begin);
    qreal sum = 0;
    for (qsizetype i = begin; i < end; ++i) sum += advance(text[i], cursor.marked(i));
    return sum;
}

std::vector<qsizetype> EquationLayout::breakLines(const QString& text,
                                                  const std::vector<TextSpan>& marks,
                                                  qreal lineWidth, qsizetype from) const {
    std::vector<qsizetype> starts{from};
    MarkCursor cursor(marks, from);
    qsizetype lineStart = from;
    qsizetype wordStart = from;  // just after the line's last space; lineStart when none
    qreal x = 0;
    const QChar* chars = text.constData();
    for (qsizetype i = from; i < text.size(); ++i) {
        const qreal w = advance(chars[i], cursor.marked(i));
        if (chars[i] == u' ') {
            x += w;
            wordStart = i + 1;
            continue;
        }
        if (x + w > lineWidth && i > lineStart) {
            const bool wordMoves = wordStart > lineStart;
            lineStart = wordMoves ? wordStart : i;
            starts.push_back(lineStart);
            wordStart = lineStart;
            x = 0;
            if (wordMoves) {
                // The moved word may itself be wider than a line: measure it again from there.
                cursor = MarkCursor(marks, lineStart);
                i = lineStart - 1;
                continue;
            }
        }
        x += w;
    }
    return starts;
}

qsizetype EquationLayout::positionAt(const QString& text, const std::vector<TextSpan>& marks,
                                     qsizetype begin, qsizetype end, qreal x) const {
    MarkCursor cursor(marks, begin);
    qreal left = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const qreal w = advance(text[i], cursor.marked(i));
        if (x < left + w / 2) return i;
        left += w;
    }
    return end;
}

MarkCursor::MarkCursor(const std::vector<TextSpan>& marks, qsizetype from)
    : m_next(std::lower_bound(marks.begin(), marks.end(), from,
                              [](const TextSpan& span, qsizetype p) { return span.end <= p; })),
      m_end(marks.end()) {}
