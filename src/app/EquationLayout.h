#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <array>
#include <vector>

// A stretch [begin, end) of the equation pane's text in UTF-16 positions.
struct TextSpan {
    qsizetype begin;
    qsizetype end;
};

// Breaks the equation pane's text into lines and measures it, character by character from
// cached advances. The densest rows give a single paragraph of several megabytes, which a
// general text layout takes a large part of a second to shape; this takes a few milliseconds
// because equation text needs no shaping. Kerning is off in both fonts so that the sums of
// the advances are where the painter puts the characters.
class EquationLayout {
public:
    explicit EquationLayout(const QFont& font);

    const QFont& plainFont() const { return m_fonts[0]; }
    const QFont& markFont() const { return m_fonts[1]; }
    int lineHeight() const { return m_lineHeight; }
    int ascent() const { return m_ascent; }

    qreal advance(QChar c, bool marked) const {
        const char16_t code = c.unicode();
        return code < 256 ? m_latin[marked ? 1 : 0][code] : otherAdvance(code, marked);
    }
    // The width of text[begin, end), marked where marks says.
    qreal width(const QString& text, const std::vector<TextSpan>& marks, qsizetype begin,
                qsizetype end) const;

    // Where each line from the one starting at from starts: the first is from. Lines break
    // after a run of spaces, which hangs past the width; a word wider than a line breaks where
    // it reaches the width, leaving at least one character on every line.
    std::vector<qsizetype> breakLines(const QString& text, const std::vector<TextSpan>& marks,
                                      qreal lineWidth, qsizetype from = 0) const;

    // The position in text[begin, end) nearest to x measured from the line's start.
    qsizetype positionAt(const QString& text, const std::vector<TextSpan>& marks, qsizetype begin,
                         qsizetype end, qreal x) const;

private:
    qreal otherAdvance(char16_t code, bool marked) const;

    std::array<QFont, 2> m_fonts;  // plain, marked (bold)
    std::array<std::array<float, 256>, 2> m_latin{};
    mutable std::array<QHash<char16_t, float>, 2> m_other;
    int m_lineHeight = 0;
    int m_ascent = 0;
};

// Walks the marks alongside a forward walk over the text, answering whether a position is
// marked in constant time per step. Marks are sorted and do not overlap.
class MarkCursor {
public:
    MarkCursor(const std::vector<TextSpan>& marks, qsizetype from);
    bool marked(qsizetype position) {
        while (m_next != m_end && m_next->end <= position) ++m_next;
        return m_next != m_end && m_next->begin <= position;
    }

private:
    std::vector<TextSpan>::const_iterator m_next, m_end;
};
