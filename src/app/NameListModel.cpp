#include "NameListModel.h"

#include <climits>

#include "DetailViewLogic.h"

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_size;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_size) return {};
    const std::string_view name = m_logic.nameList().name(static_cast<std::size_t>(index.row()));
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void NameListModel::refill() {
    beginResetModel();
    // The size is kept so that the model never reads past arrays that shrank before a refill.
    const std::size_t size = m_logic.nameList().size();
    m_size = size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
    endResetModel();
}
