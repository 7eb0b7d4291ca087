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
    if (m_map != nullptr && m_map->answersFor(*m_primal)) {
        if (const float* activity = m_map->activityOf(column))
            return ColumnActivity{*activity, *activity};
    } else if (m_primal != nullptr) {
        if (const CPrimalCol* record = m_primal->FindPrimalColumn(model.columns[column].name()))
            return ColumnActivity{record->Activity, record->Activity};
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
        // The common case, kept to one read from the map per coefficient.
        for (const RowCoefficient& coefficient : coefficients)
            if (const float* activity = m_map->activityOf(coefficient.column)) {
                const float product = coefficient.value * *activity;
                sum += product;
            }
        return sum;
    }
    // By name, the rows' columns come in column-array order: a cursor gallops through them.
    std::optional<PrimalColumnCursor> cursor;
    if (m_primal != nullptr && m_map == nullptr) cursor.emplace(*m_primal);
    for (const RowCoefficient& coefficient : coefficients) {
        const std::string_view name = model.columns[coefficient.column].name();
        const float* activity = nullptr;
        if (m_map != nullptr) {
            activity = m_map->activityOf(coefficient.column);
        } else if (cursor) {
            if (const CPrimalCol* record = cursor->find(name)) activity = &record->Activity;
        }
        if (activity != nullptr) {
            const float product = coefficient.value * *activity;
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
