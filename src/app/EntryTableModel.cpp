#include "EntryTableModel.h"

#include <QColor>

#include "DetailViewLogic.h"

namespace {

constexpr int kColumns = 5;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= kColumns) return {};
    if (role == Qt::TextAlignmentRole) {
        // Numbers line up on the right; names and marks read from the left.
        const bool numeric = index.column() >= 1 && index.column() <= 3;
        return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    }
    // After a load the entries view names that are gone, until the view rebuilds.
    if (!m_logic.contentCurrent()) return {};
    if (role == Qt::BackgroundRole) {
        const DetailContent& content = m_logic.content();
        const bool marked =
            m_marker &&
            m_marker(content.entryName(static_cast<std::size_t>(index.row())), content.rowDisplay);
        return marked ? QVariant(QColor(255, 220, 200)) : QVariant();
    }
    if (role != Qt::DisplayRole) return {};
    return fromUtf8(
        m_logic.content().cellText(static_cast<std::size_t>(index.row()), index.column()));
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumns)
        return {};
    return fromUtf8(m_logic.content().headers[static_cast<std::size_t>(section)]);
}

void EntryTableModel::setMarker(Marker marker) {
    m_marker = std::move(marker);
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, kColumns - 1), {Qt::BackgroundRole});
}

void EntryTableModel::refill() {
    beginResetModel();
    m_rows = static_cast<int>(m_logic.content().entryCount());
    endResetModel();
}
