#include "ColumnNameLengths.h"

#include <algorithm>

ColumnNameLengths::ColumnNameLengths(const MatrixModel& model) : m_length(model.columns.size()) {
    for (std::size_t c = 0; c < model.columns.size(); ++c) {
        const std::size_t length = model.columns[c].name().size();
        m_length[c] = static_cast<std::uint8_t>(std::min<std::size_t>(length, kLong));
        m_longest = std::max(m_longest, length);
    }
}
