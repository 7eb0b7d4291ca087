#include "NameListModel.h"

#include <climits>

#include "DetailViewLogic.h"

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_size;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_size) return {};
    // A load empties the model before the view refills, and a message box shown during the
    // load repaints the list in between: read only names that are still there.
    const NameList names = m_logic.nameList();
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= names.size()) return {};
    const std::string_view name = names.name(row);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void NameListModel::refill() {
    beginResetModel();
    // The size is kept so that the model never reads past arrays that shrank before a refill.
    const std::size_t size = m_logic.nameList().size();
    m_size = size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
    endResetModel();
}
