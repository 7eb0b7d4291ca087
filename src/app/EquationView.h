#pragma once

#include <QAbstractScrollArea>
#include <QTextCharFormat>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "EquationLayout.h"
#include "EquationPane.h"

// The detail view's equation pane: read-only, wrapped text with marked pieces in bold blue, a
// vertical scroll bar, and mouse selection with Copy and Select All. Only the lines in sight
// are painted, and lines are found from cached character widths, so a row of several hundred
// thousand terms shows as quickly as a short one. A row of millions of terms comes a stretch at
// a time: its start shows at once and the rest follows while the view is otherwise idle.
class EquationView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit EquationView(QWidget* parent = nullptr);
    ~EquationView() override;

    // Appends the next stretch of the equation to piece (marks in piece's positions); true
    // when the equation is whole.
    using EquationRest = std::function<bool(EquationText& piece)>;

    // Shows equation, scrolled to its start, with nothing selected. When rest is given, the
    // equation goes on: rest is asked for the next stretch whenever the view is idle, and
    // expectedLength, the whole equation's length as far as known, lets its block be taken
    // once.
    void setEquation(const EquationText& equation, EquationRest rest = {},
                     std::size_t expectedLength = 0);
    bool isWhole() const { return !m_rest; }
    const QString& toPlainText() const { return m_text; }
    // How the character at position is drawn: bold blue when marked, plain otherwise.
    QTextCharFormat formatAt(qsizetype position) const;
    int lineCount() const { return static_cast<int>(m_lineStarts.size()); }

    bool hasSelectedText() const { return m_anchor != m_cursor; }
    QString selectedText() const;
    void select(qsizetype from, qsizetype to);

public slots:
    void copy() const;
    void selectAll();

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Asks rest for all that is left now.
    void makeWhole();
    void appendPiece(const EquationText& piece);
    void reserveText(qsizetype length);
    bool appendFromRest();
    void makeMore();
    void relayout();
    void updateScrollRange();
    int lineAtY(int y) const;
    qsizetype lineEnd(int line) const;
    qsizetype positionAt(const QPoint& point) const;
    void paintLine(QPainter& painter, int line, int top) const;
    void setCursorPosition(qsizetype position, bool keepAnchor);
    qsizetype selectionBegin() const { return std::min(m_anchor, m_cursor); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_cursor); }

    std::unique_ptr<EquationLayout> m_layout;
    QString m_text;
    std::vector<TextSpan> m_marks;
    std::vector<qsizetype> m_lineStarts{0};
    int m_laidOutWidth = -1;
    EquationRest m_rest;
    qsizetype m_expectedLength = 0;
    QTimer m_restTimer;
    qsizetype m_anchor = 0;
    qsizetype m_cursor = 0;
};
