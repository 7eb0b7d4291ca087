#pragma once

#include <cstdint>

#include "PodVector.h"

namespace orbxmps {

// Nonlinear (quadratic) terms: coefficient * x[first] * x[second], or coefficient * x[first]
// when second is kNoVariable. Terms are kept in the order read; byRow indexes them per row.
struct NonlinearTerm {
    std::uint32_t row;
    std::uint32_t first;
    std::uint32_t second;
    double coefficient;
};

struct NonlinearTermStore {
    static constexpr std::uint32_t kNoVariable = 0xFFFFFFFFu;

    PodVector<NonlinearTerm> terms;
    PodVector<double> value;            // each term's value at the column activities
    PodVector<std::uint32_t> rowStart;  // size rows + 1 once indexed
    PodVector<std::uint32_t> byRow;     // term numbers, row by row, in reading order

    void add(std::uint32_t row, std::uint32_t first, std::uint32_t second, double coefficient) {
        terms.push_back({row, first, second, coefficient});
    }
    void buildRowIndex(std::size_t rowCount);
    std::uint32_t countOfRow(std::uint32_t row) const {
        return rowStart.empty() ? 0 : rowStart[row + 1] - rowStart[row];
    }
    void clear();
};

}  // namespace orbxmps
