#include "DenseRowLists.h"

#include <algorithm>
#include <random>

#include "Comparators.h"

namespace {

// Enough for a row of a two-hundredth of the non-zeros (2^18 of 50M) to show some eighty
// times, where half that picks it: such a row goes unpicked less than once in 10^5.
constexpr std::size_t kSampleSize = 16384;

// The row-table entries of a sample of the non-zeros: one position drawn at random from each
// of count equal stretches, so that no period in the layout (each column's second coefficient
// in the same row, say) can hide a row from the sample. Every position when there are fewer.
std::vector<std::uint32_t> sampledEntries(const std::uint32_t* rows, std::size_t positions,
                                          std::size_t count) {
    if (positions <= count) return {rows, rows + positions};
    std::vector<std::uint32_t> sample;
    sample.reserve(count);
    std::mt19937_64 draw;  // default seed: the same rows are listed for the same model
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t from = positions * k / count;
        const std::size_t to = positions * (k + 1) / count;
        sample.push_back(rows[from + draw() % (to - from)]);
    }
    return sample;
}

struct Sighting {
    std::uint32_t entry;
    std::size_t times;
};

// The entries seen at least leastTimes in the sample, the most seen first.
std::vector<Sighting> oftenSeen(std::vector<std::uint32_t> sample, std::size_t leastTimes) {
    std::sort(sample.begin(), sample.end());
    std::vector<Sighting> seen;
    for (auto run = sample.begin(); run != sample.end();) {
        const auto end = std::upper_bound(run, sample.end(), *run);
        const auto times = static_cast<std::size_t>(end - run);
        if (times >= leastTimes) seen.push_back({*run, times});
        run = end;
    }
    std::stable_sort(seen.begin(), seen.end(),
                     [](const Sighting& a, const Sighting& b) { return a.times > b.times; });
    return seen;
}

}  // namespace

void DenseRowLists::pick(const MatrixModel& model, std::size_t listedFrom) {
    m_picks.clear();
    m_listed.store(0, std::memory_order_relaxed);
    const std::size_t positions = model.entries.size();
    const std::size_t least = std::max<std::size_t>(1, listedFrom / 2);
    // The rows are found by name in the row array, as the walk finds them.
    if (positions < least || !rowsCanBeWalked(model) || model.rows.comparator() != &CompareRows)
        return;
    const std::size_t samples = std::min(positions, kSampleSize);
    const std::size_t leastTimes = std::max<std::size_t>(1, least * samples / positions);
    const std::vector<Sighting> seen =
        oftenSeen(sampledEntries(model.entries.arrays()->rows, positions, samples), leastTimes);
    for (const Sighting& sighting : seen) {
        if (m_picks.size() == kMostLists) break;
        if (sighting.entry >= model.rowNameTable.size()) continue;
        const char* name = model.rowNameTable[sighting.entry];
        const auto [first, end] = rowsNamed(model, name);
        // Entries of one name share its walk.
        if (first == end || picked(first)) continue;
        m_picks.push_back(
            {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(end), name, {}});
    }
}

void DenseRowLists::listAll(const MatrixModel& model, const BuildPauses* pauses) {
    std::size_t listed = 0;
    try {
        for (; listed < m_picks.size(); ++listed) {
            m_picks[listed].coefficients = walkRowCoefficients(
                model, m_picks[listed].name, RowIndex::kSecondThreadFrom, pauses);
            m_listed.store(listed + 1, std::memory_order_release);
            m_listed.notify_all();
        }
    } catch (...) {
        m_listed.store(listed + kGivenUp, std::memory_order_release);
        m_listed.notify_all();
        throw;
    }
}

const DenseRowLists::Pick* DenseRowLists::pickOf(std::size_t row) const {
    for (const Pick& pick : m_picks)
        if (row >= pick.firstRow && row < pick.endRow) return &pick;
    return nullptr;
}

bool DenseRowLists::listToCome(std::size_t row) const {
    const std::size_t listed = m_listed.load(std::memory_order_acquire);
    return picked(row) && listOfRow(row) == nullptr && (listed & kGivenUp) == 0;
}

const orbxmps::PodVector<RowCoefficient>* DenseRowLists::listOfRow(std::size_t row,
                                                                   bool wait) const {
    const Pick* pick = pickOf(row);
    if (pick == nullptr) return nullptr;
    const auto at = static_cast<std::size_t>(pick - m_picks.data());
    std::size_t listed = m_listed.load(std::memory_order_acquire);
    while (wait && (listed & ~kGivenUp) <= at && (listed & kGivenUp) == 0) {
        m_listed.wait(listed, std::memory_order_acquire);
        listed = m_listed.load(std::memory_order_acquire);
    }
    return (listed & ~kGivenUp) > at ? &pick->coefficients : nullptr;
}
