#include "EntryTableView.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "DetailViewLogic.h"
#include "WidestCells.h"

namespace {

// The lines measured when a column is sized to its contents: those in view and a few pages
// more. The widest texts the view logic names stand for the rest.
constexpr int kSampledRows = 256;
// One pixel at the right and the bottom of every cell is its grid line.
constexpr int kGrid = 1;

}  // namespace

EntryTableView::EntryTableView(const DetailViewLogic& logic, QWidget* parent)
    : QAbstractItemView(parent),
      m_logic(logic),
      m_header(new QHeaderView(Qt::Horizontal, this)),
      m_rowHeight(fontMetrics().height() + 4) {
    m_header->setSectionsClickable(true);
    connect(m_header, &QHeaderView::sectionResized, this, [this] {
        updateGeometries();
        viewport()->update();
    });
    connect(m_header, &QHeaderView::sectionCountChanged, this, &EntryTableView::updateGeometries);
    connect(m_header, &QHeaderView::geometriesChanged, this, &EntryTableView::updateGeometries);
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this,
            &EntryTableView::resizeColumnToContents);
}

void EntryTableView::setRowHeight(int height) {
    m_rowHeight = std::max(1, height);
    updateGeometries();
    viewport()->update();
}

void EntryTableView::resizeColumnsToContents() {
    for (int column = 0; column < m_header->count(); ++column) resizeColumnToContents(column);
}

void EntryTableView::resizeColumnToContents(int column) {
    m_header->resizeSection(column,
                            std::max(sizeHintForColumn(column), m_header->sectionSizeHint(column)));
}

void EntryTableView::setModel(QAbstractItemModel* model) {
    disconnect(m_rowsRemoved);
    QAbstractItemView::setModel(model);
    m_header->setModel(model);
    if (model != nullptr)
        m_rowsRemoved = connect(model, &QAbstractItemModel::rowsRemoved, this,
                                &EntryTableView::updateGeometries);
    updateGeometries();
}

void EntryTableView::reset() {
    QAbstractItemView::reset();
    updateGeometries();
    viewport()->update();
}

void EntryTableView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
}

int EntryTableView::rowCount() const { return model() ? model()->rowCount(rootIndex()) : 0; }

int EntryTableView::firstRow() const { return verticalScrollBar()->value(); }

int EntryTableView::rowsInView() const { return std::max(1, viewport()->height() / m_rowHeight); }

long long EntryTableView::rowAtY(int y) const {
    const long long offset = y >= 0 ? y / m_rowHeight : -((m_rowHeight - 1 - y) / m_rowHeight);
    return firstRow() + offset;
}

int EntryTableView::rowTop(int row) const {
    const long long top = static_cast<long long>(row - firstRow()) * m_rowHeight;
    return static_cast<int>(std::clamp<long long>(top, -(1 << 30), 1 << 30));
}

QModelIndex EntryTableView::indexAt(const QPoint& point) const {
    const long long row = rowAtY(point.y());
    const int column = m_header->logicalIndexAt(point.x());
    if (point.y() < 0 || row >= rowCount() || column < 0) return {};
    return model()->index(static_cast<int>(row), column, rootIndex());
}

QRect EntryTableView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex()) return {};
    const int width = m_header->sectionSize(index.column());
    return QRect(m_header->sectionViewportPosition(index.column()), rowTop(index.row()),
                 std::max(0, width - kGrid), m_rowHeight - kGrid);
}

void EntryTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || index.model() != model()) return;
    const int row = index.row();
    const int shown = rowsInView();
    int first = firstRow();
    switch (hint) {
        case PositionAtTop:
            first = row;
            break;
        case PositionAtBottom:
            first = row - shown + 1;
            break;
        case PositionAtCenter:
            first = row - shown / 2;
            break;
        case EnsureVisible:
            if (row < first)
                first = row;
            else if (row >= first + shown)
                first = row - shown + 1;
            break;
    }
    verticalScrollBar()->setValue(first);
    const int left = m_header->sectionPosition(index.column());
    const int right = left + m_header->sectionSize(index.column());
    const int width = viewport()->width();
    int offset = horizontalScrollBar()->value();
    if (left < offset)
        offset = left;
    else if (right > offset + width)
        offset = std::min(left, right - width);
    horizontalScrollBar()->setValue(offset);
}

QModelIndex EntryTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int rows = rowCount();
    if (rows == 0 || m_header->count() == 0) return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return model()->index(0, m_header->logicalIndex(0), rootIndex());
    int row = current.row();
    int visual = m_header->visualIndex(current.column());
    switch (action) {
        case MoveUp:
        case MovePrevious:
            --row;
            break;
        case MoveDown:
        case MoveNext:
            ++row;
            break;
        case MovePageUp:
            row -= rowsInView();
            break;
        case MovePageDown:
            row += rowsInView();
            break;
        // An entry list: Home and End go to its ends, not to the ends of the line.
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = rows - 1;
            break;
        case MoveLeft:
            --visual;
            break;
        case MoveRight:
            ++visual;
            break;
    }
    row = std::clamp(row, 0, rows - 1);
    visual = std::clamp(visual, 0, m_header->count() - 1);
    return model()->index(row, m_header->logicalIndex(visual), rootIndex());
}

int EntryTableView::horizontalOffset() const { return m_header->offset(); }

int EntryTableView::verticalOffset() const {
    const long long offset = static_cast<long long>(firstRow()) * m_rowHeight;
    return static_cast<int>(std::min<long long>(offset, 1 << 30));
}

void EntryTableView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const int rows = rowCount();
    if (rows == 0 || m_header->count() == 0) return;
    const QRect area = rect.normalized();
    const auto clampRow = [rows](long long row) {
        return static_cast<int>(std::clamp<long long>(row, 0, rows - 1));
    };
    const int last = m_header->count() - 1;
    const auto columnAt = [this, last](int x, int outside) {
        const int column = m_header->logicalIndexAt(x);
        return column >= 0 ? column : m_header->logicalIndex(outside);
    };
    const QModelIndex topLeft =
        model()->index(clampRow(rowAtY(area.top())), columnAt(area.left(), 0), rootIndex());
    const QModelIndex bottomRight =
        model()->index(clampRow(rowAtY(area.bottom())), columnAt(area.right(), last), rootIndex());
    selectionModel()->select(QItemSelection(topLeft, bottomRight), command);
}

QRegion EntryTableView::visualRegionForSelection(const QItemSelection& selection) const {
    const int first = firstRow();
    const int last = first + rowsInView();  // the partly shown row below too
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex() || range.model() != model()) continue;
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top <= bottom)
            region += QRect(0, rowTop(top), viewport()->width(), (bottom - top + 1) * m_rowHeight);
    }
    return region;
}

void EntryTableView::paintEvent(QPaintEvent* event) {
    const int rows = rowCount();
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int first = static_cast<int>(std::max<long long>(rowAtY(area.top()), 0));
    const int last = static_cast<int>(std::min<long long>(rowAtY(area.bottom()), rows - 1));
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QModelIndex current = currentIndex();
    const bool focused = hasFocus() || viewport()->hasFocus();
    for (int row = first; row <= last; ++row) {
        for (int visual = 0; visual < m_header->count(); ++visual) {
            const int column = m_header->logicalIndex(visual);
            if (m_header->isSectionHidden(column)) continue;
            const QModelIndex index = model()->index(row, column, rootIndex());
            QStyleOptionViewItem option = base;
            option.rect = visualRect(index);
            if (!option.rect.intersects(area)) continue;
            if (selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
            if (focused && index == current) option.state |= QStyle::State_HasFocus;
            itemDelegateForIndex(index)->paint(&painter, option, index);
        }
    }
    if (first <= last) paintGrid(painter, area, first, last);
}

void EntryTableView::paintGrid(QPainter& painter, const QRect& area, int first, int last) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int color = style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this);
    painter.setPen(QPen(QColor::fromRgba(static_cast<QRgb>(color)), 0));
    const int bottom = std::min(area.bottom(), rowTop(last + 1) - 1);
    const int right = std::min(area.right(), m_header->length() - m_header->offset() - 1);
    for (int row = first; row <= last; ++row) {
        const int y = rowTop(row + 1) - 1;
        painter.drawLine(area.left(), y, right, y);
    }
    for (int visual = 0; visual < m_header->count(); ++visual) {
        const int column = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(column)) continue;
        const int x = m_header->sectionViewportPosition(column) + m_header->sectionSize(column) - 1;
        if (x >= area.left() && x <= area.right()) painter.drawLine(x, area.top(), x, bottom);
    }
}

void EntryTableView::scrollContentsBy(int dx, int) {
    if (dx != 0) m_header->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void EntryTableView::updateGeometries() {
    if (m_placing) return;
    m_placing = true;
    const int headerHeight = m_header->isHidden()
                                 ? 0
                                 : std::clamp(m_header->sizeHint().height(),
                                              m_header->minimumHeight(), m_header->maximumHeight());
    setViewportMargins(0, headerHeight, 0, 0);
    const QRect place = viewport()->geometry();
    m_header->setGeometry(place.left(), place.top() - headerHeight, place.width(), headerHeight);
    const int shown = rowsInView();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setRange(0, std::max(0, rowCount() - shown));
    const int width = place.width();
    horizontalScrollBar()->setSingleStep(std::max(1, m_rowHeight));
    horizontalScrollBar()->setPageStep(std::max(1, width));
    horizontalScrollBar()->setRange(0, std::max(0, m_header->length() - width));
    m_header->setOffset(horizontalScrollBar()->value());
    m_placing = false;
    QAbstractItemView::updateGeometries();
}

int EntryTableView::sizeHintForColumn(int column) const {
    if (model() == nullptr) return -1;
    ensurePolished();
    int width = sampledWidth(column);
    if (m_logic.contentCurrent())
        for (const std::string& text : widestCellTexts(m_logic.content(), column))
            width = std::max(width, cellWidth(QString::fromStdString(text)));
    return width + kGrid;
}

int EntryTableView::sampledWidth(int column) const {
    // The rows in view and those below, then those above. Cells differ only in their text, so
    // the text of the widest advance stands for the sample.
    const QFontMetrics metrics = fontMetrics();
    const int rows = rowCount();
    const int first = std::min(firstRow(), rows);
    const int below = std::min(rows - first, kSampledRows);
    const int above = std::min(first, kSampledRows - below);
    QString widest;
    int widestAdvance = -1;
    for (int row = first - above; row < first + below; ++row) {
        QString text = model()->index(row, column, rootIndex()).data().toString();
        const int advance = metrics.horizontalAdvance(text);
        if (advance > widestAdvance) widest = std::move(text), widestAdvance = advance;
    }
    return widestAdvance < 0 ? 0 : cellWidth(widest);
}

int EntryTableView::cellWidth(const QString& text) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.text = text;
    option.features |= QStyleOptionViewItem::HasDisplay;
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width();
}
