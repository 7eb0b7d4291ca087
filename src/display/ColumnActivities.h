#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "DetailSources.h"

// A column's activity as row display shows it (the record's float, or the library's double)
// and as its product uses it (a float).
struct ColumnActivity {
    double shown;
    float activity;
};

// Where row display finds columns' activities: the solution records first, by column position
// through the sources' map when it answers for them, else by name; then a library that holds a
// solution. Asked for one entry at a time, long after the build, so it checks that the map
// still answers for the records it reads through.
class ColumnActivities {
public:
    ColumnActivities() = default;
    explicit ColumnActivities(const DetailSources& sources);

    // Whether any column can have an activity at all; without, every entry's is unknown.
    bool any() const { return m_primal != nullptr || m_columns != nullptr; }
    // The activity of the column at position column of model's column array.
    std::optional<ColumnActivity> of(std::uint32_t column, const MatrixModel& model) const;
    // The map when it alone answers for every column, as it does for records read from a
    // file beside a model without a solution of its own: a pass over a dense row then reads
    // it directly. Asked once per pass.
    const PrimalColumnMap* mapAlone() const {
        return m_map != nullptr && m_columns == nullptr && m_map->answersFor(*m_primal) ? m_map
                                                                                        : nullptr;
    }
    // The 32-bit sum of coefficient x activity over the coefficients with a known activity, in
    // their order.
    float productSum(const MatrixModel& model, std::span<const RowCoefficient> coefficients) const;

private:
    const PrimalLists* m_primal = nullptr;  // null when there are no column records
    const PrimalColumnMap* m_map = nullptr;
    orbxmps::ORBColumnManager* m_columns = nullptr;  // only with a solution in the library
};
