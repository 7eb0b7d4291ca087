#include "ColumnActivities.h"

#include "PrimalColumnCursor.h"

ColumnActivities::ColumnActivities(const DetailSources& sources) {
    if (!sources.primal.columns.empty()) m_primal = &sources.primal;
    if (m_primal != nullptr && sources.primalColumns != nullptr &&
        sources.primalColumns->answersFor(*m_primal))
        m_map = sources.primalColumns;
    if (sources.library != nullptr && sources.library->holdsSolution())
        m_columns = sources.library->getColumnManager();
}

std::optional<ColumnActivity> ColumnActivities::of(std::uint32_t column,
                                                   const MatrixModel& model) const {
    if (m_primal != nullptr) {
        const CPrimalCol* record = m_map != nullptr && m_map->answersFor(*m_primal)
                                       ? m_map->recordOf(column, *m_primal)
                                       : m_primal->FindPrimalColumn(model.columns[column].name());
        if (record != nullptr) return ColumnActivity{record->Activity, record->Activity};
    }
    if (m_columns == nullptr) return std::nullopt;
    const orbxmps::ORBColumn found = m_columns->findColumn(model.columns[column].name());
    // Decision: the library's double is shown as it is; the product uses it as a float, as
    // the product of a solution record does.
    if (!found) return std::nullopt;
    return ColumnActivity{found.activity(), static_cast<float>(found.activity())};
}

float ColumnActivities::productSum(const MatrixModel& model,
                                   std::span<const RowCoefficient> coefficients) const {
    float sum = 0.0f;
    if (!any()) return sum;
    if (m_map != nullptr && m_columns == nullptr) {
        // The common case, kept to one load per coefficient from the map and one record.
        for (const RowCoefficient& coefficient : coefficients)
            if (const CPrimalCol* record = m_map->recordOf(coefficient.column, *m_primal)) {
                const float product = coefficient.value * record->Activity;
                sum += product;
            }
        return sum;
    }
    // By name, the rows' columns come in column-array order: a cursor gallops through them.
    std::optional<PrimalColumnCursor> cursor;
    if (m_primal != nullptr && m_map == nullptr) cursor.emplace(*m_primal);
    for (const RowCoefficient& coefficient : coefficients) {
        const std::string_view name = model.columns[coefficient.column].name();
        const CPrimalCol* record = nullptr;
        if (m_map != nullptr)
            record = m_map->recordOf(coefficient.column, *m_primal);
        else if (cursor)
            record = cursor->find(name);
        if (record != nullptr) {
            const float product = coefficient.value * record->Activity;
            sum += product;
            continue;
        }
        if (m_columns == nullptr) continue;
        if (const orbxmps::ORBColumn found = m_columns->findColumn(name)) {
            const float product = coefficient.value * static_cast<float>(found.activity());
            sum += product;
        }
    }
    return sum;
}
