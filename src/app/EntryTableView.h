#pragma once

#include <QAbstractItemView>

class DetailViewLogic;
class QHeaderView;

// The detail view's entry list: a table of equal rows under a header of columns. The densest
// rows have millions of entries, and a table whose row header keeps an item per row spends
// most of a click making them; this view keeps nothing per entry. It scrolls an entry at a
// time and paints only the rows in view.
//
// A column is sized to its contents from the lines in view and a few pages more, and from the
// texts the view logic names as the column's widest, so the densest rows are sized to fit
// without measuring every cell.
class EntryTableView : public QAbstractItemView {
public:
    explicit EntryTableView(const DetailViewLogic& logic, QWidget* parent = nullptr);

    QHeaderView* horizontalHeader() const { return m_header; }
    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int height);
    void resizeColumnsToContents();

    void setModel(QAbstractItemModel* model) override;
    int sizeHintForColumn(int column) const override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;

private:
    int rowCount() const;
    int firstRow() const;
    // Rows wholly in view, at least one.
    int rowsInView() const;
    // The row at y in the viewport, counted past either end; the caller clamps.
    long long rowAtY(int y) const;
    // The top of row in the viewport, kept within int for rows far out of view.
    int rowTop(int row) const;
    void paintGrid(QPainter& painter, const QRect& area, int first, int last) const;
    void resizeColumnToContents(int column);
    int sampledWidth(int column) const;
    // The width the item delegate would ask for to show text.
    int cellWidth(const QString& text) const;

    const DetailViewLogic& m_logic;
    QHeaderView* m_header;
    int m_rowHeight;
    bool m_placing = false;
    QMetaObject::Connection m_rowsRemoved;
};
