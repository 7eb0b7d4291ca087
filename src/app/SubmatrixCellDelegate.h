#pragma once

#include <QStyledItemDelegate>

// Draws the submatrix grid's cells as framed table cells: the window colour (the highlight
// colour on a selected line) with a light top-left and a shadowed bottom-right edge, the first
// cell in the button-face colour (button highlight when selected) with button-text, its text
// left-aligned and all others right-aligned, 6 pixels in from the edge.
class SubmatrixCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kTextInset = 6;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The colours of a cell: its fill and its text.
    struct CellColours {
        QColor fill;
        QColor text;
    };
    static CellColours cellColours(const QPalette& palette, bool firstColumn, bool selected);
};
