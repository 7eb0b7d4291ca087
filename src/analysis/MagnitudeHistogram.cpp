#include "MagnitudeHistogram.h"

#include <cmath>

#include "Decade.h"

namespace {

constexpr float kInfiniteBound = 1e20f;

}  // namespace

void DecadeTally::add(float value) {
    if (value == 0.0f || !std::isfinite(value)) return;
    ++m_slots[decadeOf(value) - kLowest];
}

std::vector<DecadeCount> DecadeTally::counts() const {
    std::vector<DecadeCount> counts;
    for (int slot = 0; slot < kSlots; ++slot)
        if (m_slots[slot] != 0) counts.push_back({slot + kLowest, m_slots[slot]});
    return counts;
}

MagnitudeHistogram computeHistogram(const MatrixModel& model) {
    DecadeTally coefficients;
    for (const ColumnEntry& entry : model.entries) coefficients.add(entry.value);
    DecadeTally rhs;
    for (const CRowValue& value : model.rhs) rhs.add(value.value());
    DecadeTally bounds;
    for (const CBound& bound : model.bounds) {
        const bool ownValue = bound.kind() == kBoundLower || bound.kind() == kBoundUpper;
        if (ownValue && std::fabs(bound.value()) < kInfiniteBound) bounds.add(bound.value());
    }
    return {coefficients.counts(), rhs.counts(), bounds.counts()};
}
