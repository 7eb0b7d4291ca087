#include "SubmatrixTableModel.h"

#include <climits>

#include "SubmatrixGrid.h"

namespace {

int clampedCount(std::size_t count) {
    return count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int SubmatrixTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_lines;
}

int SubmatrixTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant SubmatrixTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines || index.column() >= m_columns) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment side =
            SubmatrixGrid::rightAligned(column) ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    return fromUtf8(m_grid->cell(static_cast<std::size_t>(index.row()), column));
}

QVariant SubmatrixTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns) return {};
    const auto column = static_cast<std::size_t>(section);
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment side =
            SubmatrixGrid::rightAligned(column) ? Qt::AlignRight : Qt::AlignHCenter;
        return QVariant::fromValue(side | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    return fromUtf8(m_grid->header(column));
}

void SubmatrixTableModel::refill(const SubmatrixGrid& grid) {
    beginResetModel();
    m_grid = &grid;
    m_lines = clampedCount(grid.lineCount());
    m_columns = clampedCount(grid.columnCount());
    endResetModel();
}
