#include "SubmatrixCellDelegate.h"

#include <QPainter>

SubmatrixCellDelegate::CellColours SubmatrixCellDelegate::cellColours(const QPalette& palette,
                                                                      bool firstColumn,
                                                                      bool selected) {
    CellColours colours;
    if (firstColumn) {
        colours.fill = palette.color(selected ? QPalette::Light : QPalette::Button);
        colours.text = palette.color(QPalette::ButtonText);
        return colours;
    }
    colours.fill = palette.color(selected ? QPalette::Highlight : QPalette::Base);
    colours.text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    return colours;
}

void SubmatrixCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool first = index.column() == 0;
    const CellColours colours = cellColours(option.palette, first, selected);
    const QRect cell = option.rect;
    painter->save();
    painter->fillRect(cell, colours.fill);
    // The frame's light edge is the 3D light colour, its dark edge the button shadow.
    painter->setPen(option.palette.color(QPalette::Midlight));
    painter->drawLine(cell.topLeft(), cell.topRight());
    painter->drawLine(cell.topLeft(), cell.bottomLeft());
    painter->setPen(option.palette.color(QPalette::Dark));
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->setPen(colours.text);
    painter->setFont(option.font);
    const QRect textRect =
        first ? cell.adjusted(kTextInset, 0, 0, 0) : cell.adjusted(0, 0, -kTextInset, 0);
    const Qt::Alignment side = first ? Qt::AlignLeft : Qt::AlignRight;
    painter->drawText(textRect, static_cast<int>(side | Qt::AlignVCenter | Qt::TextSingleLine),
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize SubmatrixCellDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    return {option.fontMetrics.horizontalAdvance(text) + 2 * kTextInset,
            option.fontMetrics.height() + 4};
}
