#pragma once

#include <cstddef>
#include <vector>

#include "MatrixModel.h"

// How many values fall in one decade d: 10^d <= |value| < 10^(d+1).
struct DecadeCount {
    int decade = 0;
    std::size_t count = 0;

    friend bool operator==(const DecadeCount&, const DecadeCount&) = default;
};

// Decade counts in rising decade, empty decades left out. Zeros have no decade and are not
// counted: a zero coefficient is no coefficient, and a zero bound says nothing about scale.
struct MagnitudeHistogram {
    std::vector<DecadeCount> coefficients;
    std::vector<DecadeCount> rhs;
    // The lower and upper bound records below 1e20 in magnitude; a fixed column's value counts
    // as its lower and upper bound, and a free column has none.
    std::vector<DecadeCount> bounds;
};

MagnitudeHistogram computeHistogram(const MatrixModel& model);

// Counts over any set of values, for the histogram's three parts.
class DecadeTally {
public:
    void add(float value);
    std::vector<DecadeCount> counts() const;

private:
    // Floats span decades -45 to 38; one slot each, offset so that the smallest is slot 0.
    static constexpr int kLowest = -46;
    static constexpr int kSlots = 88;
    std::size_t m_slots[kSlots] = {};
};
