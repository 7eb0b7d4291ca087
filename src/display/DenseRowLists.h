#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "MatrixModel.h"
#include "PodVector.h"
#include "RowIndex.h"

// The few rows that hold the most coefficients, each listed by the walk ahead of the row
// index, so that a click on one of them while the index is built need not walk: such a walk
// takes several times a click's budget, the index a second at 50M non-zeros.
// The rows are picked by a sample of the non-zeros, which costs nothing like counting every
// row; a row the sample misses is walked when clicked, as before. Picked on one thread, the
// rows may be listed on another while the first reads the lists made so far or waits for one.
class DenseRowLists {
public:
    // Rows of fewer coefficients are walked in time when clicked.
    static constexpr std::size_t kListedFrom = std::size_t{1} << 18;
    // Each list is a walk of its own, so their number is bounded.
    static constexpr std::size_t kMostLists = 32;

    DenseRowLists() = default;
    DenseRowLists(const DenseRowLists&) = delete;
    DenseRowLists& operator=(const DenseRowLists&) = delete;

    // Picks the rows that the sample shows to hold about listedFrom coefficients or more (half
    // that, against the sample's error), the most first, up to kMostLists names. Walks none.
    void pick(const MatrixModel& model, std::size_t listedFrom = kListedFrom);
    // Walks the picked rows in turn, each list readable once made. While pauses (if given) hold
    // them, the walks wait between stretches. Should a walk throw, the rows not yet listed are
    // given up (walked when clicked) and the exception passes on.
    void listAll(const MatrixModel& model, const BuildPauses* pauses = nullptr);

    // Whether the row is picked but its list still to be made.
    bool listToCome(std::size_t row) const;
    bool picked(std::size_t row) const { return pickOf(row) != nullptr; }
    std::size_t pickedCount() const { return m_picks.size(); }
    // The coefficients of the row at position row of the row array, as the walk lists them;
    // null when the row is not picked or, unless waited for, not yet listed. A wait ends
    // with null if the row is given up.
    const orbxmps::PodVector<RowCoefficient>* listOfRow(std::size_t row, bool wait = false) const;

private:
    struct Pick {
        std::uint32_t firstRow;  // the run of the row array that bears the name
        std::uint32_t endRow;
        const char* name;
        orbxmps::PodVector<RowCoefficient> coefficients;
    };
    static constexpr std::size_t kGivenUp = std::size_t{1} << 63;

    const Pick* pickOf(std::size_t row) const;

    std::vector<Pick> m_picks;
    // How many picks are listed, with kGivenUp added once the rest are given up.
    std::atomic<std::size_t> m_listed{0};
};
