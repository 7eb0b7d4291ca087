#include "EntryTableView.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "DetailViewLogic.h"
#include "WidestCells.h"

int EntryTableView::sizeHintForColumn(int column) const {
    int width = QTableView::sizeHintForColumn(column);
    if (model() == nullptr || !m_logic.contentCurrent()) return width;
    for (const std::string& text : widestCellTexts(m_logic.content(), column))
        width = std::max(width, cellWidth(QString::fromStdString(text)));
    return width;
}

int EntryTableView::cellWidth(const QString& text) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.text = text;
    option.features |= QStyleOptionViewItem::HasDisplay;
    const int hint =
        style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width();
    // As QTableView counts its own sample: one more pixel for the grid line.
    return showGrid() ? hint + 1 : hint;
}
