#include "EquationView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStringDecoder>
#include <algorithm>

#include "FreshPages.h"

namespace {

// Margin around the text, as an edit control leaves one.
constexpr int kMargin = 4;

// How long the rest of a long equation is made for between two turns of the event loop.
constexpr qint64 kMillisecondsPerTurn = 4;
// The rest begins a frame after the start, so that the click's own paint, which a compositor
// may hold until its next frame, never waits behind a turn of it.
constexpr int kFirstTurnAfterMilliseconds = 16;

const QColor kMarkColour(0, 0, 255);

}  // namespace

EquationView::EquationView(QWidget* parent)
    : QAbstractScrollArea(parent), m_layout(std::make_unique<EquationLayout>(font())) {
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    connect(&m_restTimer, &QTimer::timeout, this, &EquationView::makeMore);
}

EquationView::~EquationView() = default;

void EquationView::setEquation(const EquationText& equation, EquationRest rest,
                               std::size_t expectedLength) {
    m_text = QString();  // the last equation's block goes first
    m_expectedLength = static_cast<qsizetype>(std::max(equation.text.size(), expectedLength));
    reserveText(m_expectedLength);
    m_marks.clear();
    m_lineStarts = {0};
    m_laidOutWidth = -1;
    m_rest = std::move(rest);
    appendPiece(equation);
    m_anchor = m_cursor = 0;
    relayout();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    if (m_rest)
        m_restTimer.start(kFirstTurnAfterMilliseconds);
    else
        m_restTimer.stop();
    emit selectionChanged();
}

void EquationView::makeWhole() {
    while (appendFromRest()) {
    }
}

// Each piece is converted on its own, so the marks' UTF-16 positions are exact even when a
// name holds bytes that are not UTF-8. A byte gives at most one UTF-16 unit, so the pieces are
// decoded straight into the text's block: a row of millions of terms is not converted into a
// block of its own and then copied.
void EquationView::appendPiece(const EquationText& piece) {
    const std::string& text = piece.text;
    const qsizetype oldSize = m_text.size();
    const auto needed = oldSize + static_cast<qsizetype>(text.size());
    if (needed > m_text.capacity()) reserveText(std::max(needed, 2 * m_text.capacity()));
    m_text.resize(needed);
    // Stateless, as a conversion of each piece by itself: a leading byte-order mark dropped.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QChar* const begin = m_text.data();
    QChar* end = begin + oldSize;
    const auto decode = [&](std::size_t from, std::size_t to) {
        end = decoder.appendToBuffer(
            end, QByteArrayView(text.data() + from, static_cast<qsizetype>(to - from)));
        return end - begin;
    };
    std::size_t written = 0;
    for (const MarkedRange& range : piece.marked) {
        if (range.begin < written || range.end < range.begin || range.end > text.size()) continue;
        const qsizetype markBegin = decode(written, range.begin);
        const qsizetype markEnd = decode(range.begin, range.end);
        if (markEnd > markBegin) m_marks.push_back({markBegin, markEnd});
        written = range.end;
    }
    m_text.truncate(decode(written, text.size()));
    if (m_laidOutWidth < 0) return;
    // Lines before the last are final: only the last one flows on into the new text.
    const qsizetype lastLineStart = m_lineStarts.back();
    m_lineStarts.pop_back();
    const std::vector<qsizetype> more =
        m_layout->breakLines(m_text, m_marks, std::max(m_laidOutWidth, 1), lastLineStart);
    if (m_lineStarts.size() + more.size() > m_lineStarts.capacity()) {
        // Each doubling of millions of lines would fault in its fresh block within one turn.
        const qreal charactersPerLine =
            std::max(1.0, m_laidOutWidth / m_layout->advance(u'0', false));
        const auto expectedLines =
            static_cast<std::size_t>(m_expectedLength / charactersPerLine) + 1;
        m_lineStarts.reserve(std::max(
            {expectedLines, 2 * m_lineStarts.capacity(), m_lineStarts.size() + more.size()}));
    }
    m_lineStarts.insert(m_lineStarts.end(), more.begin(), more.end());
}

void EquationView::reserveText(qsizetype length) {
    m_text.reserve(length);
    orbxmps::adviseLargePagesInside(m_text.data(), m_text.capacity() * sizeof(QChar));
}

// False once the equation is whole.
bool EquationView::appendFromRest() {
    if (!m_rest) return false;
    const int linesBefore = lineCount();
    EquationText piece;
    const bool whole = m_rest(piece);
    appendPiece(piece);
    updateScrollRange();
    if (kMargin + (linesBefore - 1) * m_layout->lineHeight() - verticalScrollBar()->value() <
        viewport()->height())
        viewport()->update();
    if (!whole) return true;
    m_rest = {};
    m_restTimer.stop();
    return false;
}

// Stretches for a few milliseconds a turn, so that clicks and paints are answered between them.
void EquationView::makeMore() {
    if (m_restTimer.interval() != 0) m_restTimer.setInterval(0);
    QElapsedTimer clock;
    clock.start();
    while (appendFromRest() && clock.elapsed() < kMillisecondsPerTurn) {
    }
}

QTextCharFormat EquationView::formatAt(qsizetype position) const {
    QTextCharFormat format;
    MarkCursor marks(m_marks, position);
    const bool marked = marks.marked(position);
    format.setFont(marked ? m_layout->markFont() : m_layout->plainFont());
    format.setForeground(marked ? QBrush(kMarkColour) : palette().text());
    return format;
}

void EquationView::relayout() {
    const int width = viewport()->width() - 2 * kMargin;
    if (width == m_laidOutWidth) return;
    m_laidOutWidth = width;
    m_lineStarts = m_layout->breakLines(m_text, m_marks, std::max(width, 1));
    updateScrollRange();
}

void EquationView::updateScrollRange() {
    const int lineHeight = m_layout->lineHeight();
    const int total = lineCount() * lineHeight + 2 * kMargin;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, total - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(lineHeight);
}

void EquationView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // Keep the first line in sight at the top after the text flows anew.
    const qsizetype topPosition = m_lineStarts[static_cast<std::size_t>(lineAtY(0))];
    relayout();
    updateScrollRange();
    const auto line = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), topPosition) -
                      m_lineStarts.begin() - 1;
    verticalScrollBar()->setValue(static_cast<int>(line) * m_layout->lineHeight());
}

void EquationView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    m_layout = std::make_unique<EquationLayout>(font());
    m_laidOutWidth = -1;
    relayout();
    viewport()->update();
}

int EquationView::lineAtY(int y) const {
    const int line = (y + verticalScrollBar()->value() - kMargin) / m_layout->lineHeight();
    return std::clamp(line, 0, lineCount() - 1);
}

qsizetype EquationView::lineEnd(int line) const {
    const auto next = static_cast<std::size_t>(line) + 1;
    return next < m_lineStarts.size() ? m_lineStarts[next] : m_text.size();
}

qsizetype EquationView::positionAt(const QPoint& point) const {
    const int line = lineAtY(point.y());
    const qsizetype begin = m_lineStarts[static_cast<std::size_t>(line)];
    if (point.y() + verticalScrollBar()->value() < kMargin) return begin;
    return m_layout->positionAt(m_text, m_marks, begin, lineEnd(line), point.x() - kMargin);
}

void EquationView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const int lineHeight = m_layout->lineHeight();
    const int scroll = verticalScrollBar()->value();
    const QRect area = event->rect();
    for (int line = lineAtY(area.top()); line < lineCount(); ++line) {
        const int top = kMargin + line * lineHeight - scroll;
        if (top >= area.bottom()) break;
        paintLine(painter, line, top);
    }
}

// Draws the line in runs of one look: marked or not, selected or not.
void EquationView::paintLine(QPainter& painter, int line, int top) const {
    const qsizetype end = lineEnd(line);
    const qsizetype selBegin = selectionBegin();
    const qsizetype selEnd = selectionEnd();
    MarkCursor marks(m_marks, m_lineStarts[static_cast<std::size_t>(line)]);
    qreal x = kMargin;
    qsizetype runStart = m_lineStarts[static_cast<std::size_t>(line)];
    while (runStart < end) {
        const bool marked = marks.marked(runStart);
        const bool selected = runStart >= selBegin && runStart < selEnd;
        qsizetype runEnd = runStart + 1;
        qreal width = m_layout->advance(m_text[runStart], marked);
        for (; runEnd < end; ++runEnd) {
            if (marks.marked(runEnd) != marked ||
                (runEnd >= selBegin && runEnd < selEnd) != selected)
                break;
            width += m_layout->advance(m_text[runEnd], marked);
        }
        if (selected)
            painter.fillRect(QRectF(x, top, width, m_layout->lineHeight()), palette().highlight());
        const QTextCharFormat format = formatAt(runStart);
        painter.setFont(format.font());
        painter.setPen(selected ? palette().highlightedText().color()
                                : format.foreground().color());
        painter.drawText(QPointF(x, top + m_layout->ascent()),
                         m_text.mid(runStart, runEnd - runStart));
        x += width;
        runStart = runEnd;
    }
}

QString EquationView::selectedText() const {
    return m_text.mid(selectionBegin(), selectionEnd() - selectionBegin());
}

void EquationView::select(qsizetype from, qsizetype to) {
    m_anchor = std::clamp<qsizetype>(from, 0, m_text.size());
    setCursorPosition(to, true);
}

void EquationView::setCursorPosition(qsizetype position, bool keepAnchor) {
    const bool hadSelection = hasSelectedText();
    m_cursor = std::clamp<qsizetype>(position, 0, m_text.size());
    if (!keepAnchor) m_anchor = m_cursor;
    viewport()->update();
    if (hadSelection || hasSelectedText()) emit selectionChanged();
}

void EquationView::copy() const {
    if (hasSelectedText()) QApplication::clipboard()->setText(selectedText());
}

void EquationView::selectAll() {
    makeWhole();
    select(0, m_text.size());
}

void EquationView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    setCursorPosition(positionAt(event->position().toPoint()),
                      (event->modifiers() & Qt::ShiftModifier) != 0);
}

void EquationView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) return;
    const QPoint point = event->position().toPoint();
    // Dragging past the top or bottom edge scrolls on.
    QScrollBar* bar = verticalScrollBar();
    if (point.y() < 0) bar->setValue(bar->value() - m_layout->lineHeight());
    if (point.y() > viewport()->height()) bar->setValue(bar->value() + m_layout->lineHeight());
    setCursorPosition(positionAt(point), true);
}

// Selects the word under the pointer: the stretch between spaces.
void EquationView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_text.isEmpty()) return;
    const qsizetype at = std::min(positionAt(event->position().toPoint()), m_text.size() - 1);
    qsizetype begin = at;
    qsizetype end = at;
    while (begin > 0 && m_text[begin - 1] != u' ') --begin;
    while (end < m_text.size() && m_text[end] != u' ') ++end;
    select(begin, end);
}

void EquationView::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_PageDown) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    } else if (event->key() == Qt::Key_PageUp) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    } else if (event->key() == Qt::Key_Down) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    } else if (event->key() == Qt::Key_Up) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        makeWhole();
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void EquationView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &EquationView::copy);
    copyAction->setEnabled(hasSelectedText());
    QAction* selectAllAction = menu.addAction(tr("Select &All"), this, &EquationView::selectAll);
    selectAllAction->setEnabled(!m_text.isEmpty());
    menu.exec(event->globalPos());
}
