#pragma once

#include <QAbstractScrollArea>
#include <QTextCharFormat>
#include <memory>
#include <vector>

#include "EquationLayout.h"
#include "EquationPane.h"

// The detail view's equation pane: read-only, wrapped text with marked pieces in bold blue, a
// vertical scroll bar, and mouse selection with Copy and Select All. Only the lines in sight
// are painted, and lines are found from cached character widths, so a row of several hundred
// thousand terms shows as quickly as a short one.
class EquationView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit EquationView(QWidget* parent = nullptr);
    ~EquationView() override;

    // Shows equation, scrolled to its start, with nothing selected.
    void setEquation(const EquationText& equation);
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
    qsizetype m_anchor = 0;
    qsizetype m_cursor = 0;
};
