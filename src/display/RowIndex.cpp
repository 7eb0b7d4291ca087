#include "RowIndex.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

#include "Comparators.h"
#include "ElementScan.h"
#include "ParallelWork.h"
#include "RowTags.h"

namespace {

// Where a paused build may wait: every so many columns or rows, and at the start of each pass.
constexpr std::size_t kItemsBetweenPauses = 4096;

void waitWhilePaused(const BuildPauses* pauses, std::size_t at) {
    if (at % kItemsBetweenPauses == 0) waitWhileBuildPaused(pauses);
}

// For each position of the row array, the first position bearing the same name.
std::vector<std::uint32_t> firstRowsOfNames(const MatrixModel& model, const BuildPauses* pauses) {
    const std::size_t count = model.rows.size();
    std::vector<std::uint32_t> firstOfName(count);
    for (std::size_t i = 0; i < count; ++i) {
        waitWhilePaused(pauses, i);
        const bool sameAsPrevious =
            i > 0 && std::strcmp(model.rows[i].cName(), model.rows[i - 1].cName()) == 0;
        firstOfName[i] = sameAsPrevious ? firstOfName[i - 1] : static_cast<std::uint32_t>(i);
    }
    return firstOfName;
}

// Whether the row-name table lists the row array's names in the array's order, as it does
// for a model whose rows were loaded in name order.
bool tableMatchesRows(const MatrixModel& model) {
    if (model.rowNameTable.size() != model.rows.size()) return false;
    for (std::size_t r = 0; r < model.rows.size(); ++r)
        if (model.rowNameTable[r] != model.rows[r].cName()) return false;
    return true;
}

// For each entry of the model's row-name table (load order), the row-array position of the
// first row bearing its name. The model's rows and its table share their name pointers, so
// pointers are matched rather than names compared.
// tableMatches: what tableMatchesRows says of the model.
std::vector<std::uint32_t> rowPositionsByLoadOrder(const MatrixModel& model,
                                                   const std::vector<std::uint32_t>& firstOfName,
                                                   bool tableMatches) {
    if (tableMatches) return firstOfName;
    const std::size_t count = model.rows.size();
    using Address = std::pair<std::uintptr_t, std::uint32_t>;
    std::vector<Address> byPointer(count);
    for (std::size_t i = 0; i < count; ++i)
        byPointer[i] = {reinterpret_cast<std::uintptr_t>(model.rows[i].cName()), firstOfName[i]};
    std::sort(byPointer.begin(), byPointer.end());

    const std::size_t tableSize = model.rowNameTable.size();
    std::vector<std::uint32_t> positions(tableSize);
    for (std::size_t r = 0; r < tableSize; ++r) {
        const char* name = model.rowNameTable[r];
        const auto address = reinterpret_cast<std::uintptr_t>(name);
        const auto it = std::lower_bound(byPointer.begin(), byPointer.end(), Address(address, 0));
        if (it != byPointer.end() && it->first == address) {
            positions[r] = it->second;
            continue;
        }
        // A loader that stored the name twice: find it by text instead.
        const CRow* row = model.rows.find(CRow(name, 'N'));
        if (row == nullptr)
            throw std::logic_error("a coefficient names a row that is not in the row array");
        positions[r] = firstOfName[static_cast<std::size_t>(row - &model.rows[0])];
    }
    return positions;
}

// For each position of the row array, its entry in the row-name table, when the rows carry
// their load indices and these pair every row with a table entry of its own name pointer:
// then a coefficient's row needs no translation to be counted and placed.
bool loadIndicesOfRows(const MatrixModel& model, std::vector<std::uint32_t>& loadOf,
                       const BuildPauses* pauses) {
    const std::size_t count = model.rows.size();
    if (model.rowNameTable.size() != count) return false;
    loadOf.resize(count);
    std::vector<bool> taken(count);
    for (std::size_t p = 0; p < count; ++p) {
        waitWhilePaused(pauses, p);
        const std::uint32_t entry = model.rows[p].loadIndex();
        if (entry >= count || taken[entry] || model.rowNameTable[entry] != model.rows[p].cName())
            return false;
        taken[entry] = true;
        loadOf[p] = entry;
    }
    return true;
}

// The columns [begin, end) of the column array: one of the two halves the index is built in.
struct ColumnRange {
    std::size_t begin;
    std::size_t end;
};

// Columns whose coefficients are fetched ahead of the walk. Inlined by force, as the fetch
// itself: called, a function that only prefetches is taken for one without effect, and the
// call is dropped.
constexpr std::size_t kFetchAhead = 8;

[[gnu::always_inline]] inline void fetchAhead(const MatrixModel& model, std::size_t c,
                                              std::size_t end) {
    if (c + kFetchAhead < end) model.entries.fetch(model.columns[c + kFetchAhead]);
}

// How a coefficient's row (its row-name table entry) is turned into the slot list it joins:
// directly, when each table entry is a row of its own, or through the row-array positions.
struct ListOfRow {
    const std::uint32_t* position = nullptr;  // none: the table entry itself

    std::uint32_t operator()(std::uint32_t row) const {
        return position == nullptr ? row : position[row];
    }
};

// Counting needs no order, so the coefficients are read as they lie, column after loaded
// column, where the column array's order would meet each column's at random. Each thread
// passes over the whole load order and reads the columns of its own half. Gives how many it
// counted, or nothing when the model lacks the starts in load order.
std::optional<std::size_t> countInLoadOrder(const MatrixModel& model, ColumnRange range,
                                            ListOfRow listOf, std::vector<std::uint32_t>& counts,
                                            const BuildPauses* pauses) {
    const CoefficientArrays* arrays = model.entries.arrays();
    const std::vector<std::uint32_t>& loadOrder = model.columnLoadOrder;
    if (arrays == nullptr || arrays->starts == nullptr ||
        loadOrder.size() != model.columns.size() ||
        model.entries.columnCount() != loadOrder.size() ||
        arrays->starts[loadOrder.size()] > model.entries.size())
        return std::nullopt;
    const std::uint32_t* starts = arrays->starts;
    const std::uint32_t* rows = arrays->rows;
    std::size_t counted = 0;
    for (std::size_t k = 0; k < loadOrder.size(); ++k) {
        waitWhilePaused(pauses, k);
        const std::uint32_t c = loadOrder[k];
        if (c < range.begin || c >= range.end || starts[k + 1] < starts[k]) continue;
        for (std::uint32_t e = starts[k]; e < starts[k + 1]; ++e) ++counts[listOf(rows[e])];
        counted += starts[k + 1] - starts[k];
    }
    return counted;
}

// The coefficients that the range's columns show, which the placing writes.
std::size_t coefficientsIn(const MatrixModel& model, ColumnRange range) {
    std::size_t total = 0;
    for (std::size_t c = range.begin; c < range.end; ++c)
        total += model.entries.of(model.columns[c]).size();
    return total;
}

void countPerList(const MatrixModel& model, ColumnRange range, ListOfRow listOf, std::size_t lists,
                  std::vector<std::uint32_t>& counts, const BuildPauses* pauses) {
    counts.assign(lists, 0);
    // A slot is counted for every coefficient placed, or the lists would run into each other.
    if (countInLoadOrder(model, range, listOf, counts, pauses) == coefficientsIn(model, range))
        return;
    counts.assign(lists, 0);
    for (std::size_t c = range.begin; c < range.end; ++c) {
        waitWhilePaused(pauses, c - range.begin);
        fetchAhead(model, c, range.end);
        for (const ColumnEntry& entry : model.entries.of(model.columns[c]))
            ++counts[listOf(entry.row)];
    }
}

// Writes the range's coefficients at each list's next slot, in walk order.
void placePerList(const MatrixModel& model, ColumnRange range, ListOfRow listOf,
                  std::vector<std::uint32_t>& next, RowCoefficient* slots,
                  const BuildPauses* pauses) {
    for (std::size_t c = range.begin; c < range.end; ++c) {
        waitWhilePaused(pauses, c - range.begin);
        fetchAhead(model, c, range.end);
        const auto column = static_cast<std::uint32_t>(c);
        for (const ColumnEntry& entry : model.entries.of(model.columns[c]))
            slots[next[listOf(entry.row)]++] = {column, entry.value};
    }
}

// Turns the halves' counts into each row's first slot and the halves' next slots: for every
// row, the first half's coefficients come before the second's, as the walk meets them.
// listOfRow: the list of each row-array position (none: the position itself).
std::vector<std::uint32_t> slotStarts(const std::vector<std::uint32_t>* listOfRow,
                                      std::vector<std::uint32_t>& firstHalf,
                                      std::vector<std::uint32_t>& secondHalf,
                                      const BuildPauses* pauses) {
    const std::size_t rows = listOfRow == nullptr ? firstHalf.size() : listOfRow->size();
    std::vector<std::uint32_t> start(rows + 1);
    std::uint32_t slot = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        waitWhilePaused(pauses, r);
        const std::size_t list = listOfRow == nullptr ? r : (*listOfRow)[r];
        start[r] = slot;
        slot += std::exchange(firstHalf[list], slot);
        slot += std::exchange(secondHalf[list], slot);
    }
    start.back() = slot;
    return start;
}

}  // namespace

RowIndex::RowIndex(const MatrixModel& model, std::size_t secondThreadFrom,
                   const BuildPauses* pauses) {
    const bool twoThreads = model.entries.size() >= secondThreadFrom;
    std::vector<std::uint32_t> firstOfName;
    std::vector<std::uint32_t> loadOf;
    bool tableMatches = false;
    bool rowsKnowTheirEntries = false;
    orbxmps::runAlongsideIf(
        twoThreads, [&] { firstOfName = firstRowsOfNames(model, pauses); },
        [&] {
            tableMatches = tableMatchesRows(model);
            rowsKnowTheirEntries = !tableMatches && loadIndicesOfRows(model, loadOf, pauses);
        });
    for (std::uint32_t r = 0; r < firstOfName.size(); ++r)
        if (firstOfName[r] != r) m_sameNameAs.emplace_back(r, firstOfName[r]);
    // With every name borne once, each table entry is a row of its own, and the coefficients
    // are counted and placed by their table entries directly: one random access fewer per
    // non-zero. Otherwise by the row-array position of their name's first row.
    const bool listPerEntry = m_sameNameAs.empty() && (tableMatches || rowsKnowTheirEntries);
    std::vector<std::uint32_t> position;
    if (!listPerEntry) position = rowPositionsByLoadOrder(model, firstOfName, tableMatches);
    const ListOfRow listOf{listPerEntry ? nullptr : position.data()};
    const std::size_t lists = listPerEntry ? model.rowNameTable.size() : model.rows.size();
    // A counting sort by row, done for two halves of the column array at once. The split
    // only balances the work; any split gives the same lists.
    const std::size_t columns = model.columns.size();
    const ColumnRange first{0, columns / 2};
    const ColumnRange second{columns / 2, columns};
    std::vector<std::uint32_t> firstHalf;
    std::vector<std::uint32_t> secondHalf;
    orbxmps::runAlongsideIf(
        twoThreads, [&] { countPerList(model, first, listOf, lists, firstHalf, pauses); },
        [&] { countPerList(model, second, listOf, lists, secondHalf, pauses); });
    m_start = slotStarts(rowsKnowTheirEntries && listPerEntry ? &loadOf : nullptr, firstHalf,
                         secondHalf, pauses);
    const std::size_t total = m_start.back();
    RowCoefficient* slots = m_coefficients.appendUninitialised(total);
    orbxmps::runAlongsideIf(
        twoThreads, [&] { placePerList(model, first, listOf, firstHalf, slots, pauses); },
        [&] { placePerList(model, second, listOf, secondHalf, slots, pauses); });
    for (std::size_t r = 0; r + 1 < m_start.size(); ++r)
        m_longest = std::max<std::size_t>(m_longest, m_start[r + 1] - m_start[r]);
}

std::span<const RowCoefficient> RowIndex::coefficientsOfRow(std::size_t row) const {
    if (row + 1 >= m_start.size()) return {};
    if (!m_sameNameAs.empty()) {
        const auto same = std::lower_bound(m_sameNameAs.begin(), m_sameNameAs.end(),
                                           std::pair<std::uint32_t, std::uint32_t>(row, 0));
        if (same != m_sameNameAs.end() && same->first == row) row = same->second;
    }
    return {m_coefficients.data() + m_start[row], m_coefficients.data() + m_start[row + 1]};
}

std::size_t RowIndex::memoryBytes() const {
    const std::size_t slots = m_start.empty() ? 0 : m_start.back();
    return m_start.capacity() * sizeof(std::uint32_t) + slots * sizeof(RowCoefficient) +
           m_sameNameAs.capacity() * sizeof(m_sameNameAs[0]);
}

namespace {

// Stable, by column: an LSD radix sort, as many passes as the column count needs, each pass on
// two threads from halvesFrom coefficients on (each counts and moves its half; the first
// half's items go first in every bucket, so the sort stays stable). Few coefficients take the
// library's sort instead.
void sortByColumn(orbxmps::PodVector<RowCoefficient>& found, std::size_t columnCount,
                  std::size_t halvesFrom, const BuildPauses* pauses) {
    if (found.size() < 4096) {
        std::stable_sort(
            found.begin(), found.end(),
            [](const RowCoefficient& a, const RowCoefficient& b) { return a.column < b.column; });
        return;
    }
    // As few passes as digits of at most 12 bits allow, the bits shared out evenly: 23 bits
    // of column take two passes of 12, not three of 11, 11 and 1.
    constexpr unsigned kMostBits = 12;
    const auto columnBits = static_cast<unsigned>(std::bit_width(columnCount - 1));
    const unsigned passes = std::max(1u, (columnBits + kMostBits - 1) / kMostBits);
    const unsigned bits = (columnBits + passes - 1) / passes;
    const std::size_t buckets = std::size_t{1} << bits;
    const std::size_t count = found.size();
    const std::size_t split = orbxmps::splitOf(count, halvesFrom);
    orbxmps::PodVector<RowCoefficient> scratch;
    scratch.appendUninitialised(count);
    std::vector<std::size_t> next[2] = {std::vector<std::size_t>(buckets),
                                        std::vector<std::size_t>(buckets)};
    for (unsigned shift = 0; shift < columnBits; shift += bits) {
        waitWhileBuildPaused(pauses);
        const auto bucket = [shift, buckets](const RowCoefficient& item) {
            return (item.column >> shift) & (buckets - 1);
        };
        std::fill(next[1].begin(), next[1].end(), 0);  // stays so without a second half
        orbxmps::runSplitAt(split, count, [&](std::size_t from, std::size_t to) {
            std::vector<std::size_t>& counts = next[to <= split ? 0 : 1];
            std::fill(counts.begin(), counts.end(), 0);
            for (std::size_t i = from; i < to; ++i) ++counts[bucket(found[i])];
        });
        std::size_t slot = 0;
        for (std::size_t b = 0; b < buckets; ++b) {
            slot += std::exchange(next[0][b], slot);
            slot += std::exchange(next[1][b], slot);
        }
        orbxmps::runSplitAt(split, count, [&](std::size_t from, std::size_t to) {
            std::vector<std::size_t>& at = next[to <= split ? 0 : 1];
            for (std::size_t i = from; i < to; ++i) scratch[at[bucket(found[i])]++] = found[i];
        });
        std::swap(found, scratch);
    }
}

// The row-name table's entries bearing the name, in table order, so that the walk over the
// non-zeros compares positions instead of names.
std::vector<std::uint32_t> tableEntriesNamed(const MatrixModel& model, const char* rowName) {
    std::vector<std::uint32_t> bearers;
    if (model.rowsPairedWithTable && model.rows.comparator() == &CompareRows) {
        // The rows of the name are a run of the row array, each knowing its own entry:
        // comparing a name per entry took half the walk at millions of rows.
        const auto [first, end] = rowsNamed(model, rowName);
        for (auto row = model.rows.begin() + first; row != model.rows.begin() + end; ++row)
            if (row->loadIndex() < model.rowNameTable.size()) bearers.push_back(row->loadIndex());
        std::sort(bearers.begin(), bearers.end());
        return bearers;
    }
    const RowNameTable& table = model.rowNameTable;
    for (std::size_t r = 0; r < table.size(); ++r)
        if (table[r] == rowName || std::strcmp(table[r], rowName) == 0)
            bearers.push_back(static_cast<std::uint32_t>(r));
    return bearers;
}

// Turns the positions of matches in [from, to) into their columns and values, in place. The
// values lie scattered over the array, a cache miss each: those of the matches a few places
// on are fetched meanwhile.
void resolveMatches(const CoefficientArrays& arrays, const std::vector<std::uint32_t>& loadOrder,
                    RowCoefficient* found, std::size_t count) {
    constexpr std::size_t kAhead = 16;
    std::size_t k = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) __builtin_prefetch(arrays.values + found[i + kAhead].column);
        const std::uint32_t e = found[i].column;
        k = orbxmps::columnHolding(arrays.starts, loadOrder.size(), k, e);
        found[i] = {loadOrder[k], static_cast<float>(arrays.values[e])};
    }
}

// The positions in [from, to) whose row bears the name, each as a coefficient whose column
// holds the position until resolveMatches().
void findMatches(const CoefficientArrays& arrays, const std::vector<std::uint32_t>& bearers,
                 const std::vector<bool>& named, const std::uint16_t* tags, std::uint32_t from,
                 std::uint32_t to, orbxmps::PodVector<RowCoefficient>& found) {
    const auto take = [&found](std::uint32_t e) { found.push_back({e, 0.0f}); };
    if (bearers.size() == 1 && tags != nullptr) {
        orbxmps::forEachTaggedMatch(tags, arrays.rows, from, to, bearers[0], take);
        return;
    }
    if (bearers.size() == 1) {
        orbxmps::forEachMatch(arrays.rows, from, to, bearers[0], take);
        return;
    }
    for (std::uint32_t e = from; e < to; ++e)
        if (named[arrays.rows[e]]) take(e);
}

}  // namespace

orbxmps::PodVector<RowCoefficient> walkRowCoefficients(const MatrixModel& model,
                                                       const char* rowName,
                                                       std::size_t secondThreadFrom,
                                                       const BuildPauses* pauses,
                                                       const RowTags* tags) {
    const RowNameTable& table = model.rowNameTable;
    const std::vector<std::uint32_t> bearers = tableEntriesNamed(model, rowName);
    orbxmps::PodVector<RowCoefficient> found;
    if (model.entries.size() == 0) return found;
    if (!rowsCanBeWalked(model))
        throw std::logic_error("a model's coefficients lack their columns' starts in load order");
    const std::vector<std::uint32_t>& loadOrder = model.columnLoadOrder;
    const CoefficientArrays& arrays = *model.entries.arrays();
    // The coefficients lie in load order, column after column: walked so, with the columns'
    // starts alongside, every array is read in sequence. The walk's order is the column
    // array's, so a sort follows. A name stored twice, or none, is looked up in a bit per
    // table entry.
    const auto inColumns = static_cast<std::uint32_t>(walkedCount(model));
    std::vector<bool> named;
    if (bearers.size() != 1) {
        named.resize(table.size());
        for (const std::uint32_t bearer : bearers) named[bearer] = true;
    }
    // Two halves of the positions side by side, each found and resolved on its own, the second
    // appended to the first: the same list as one pass.
    const std::uint16_t* tagsOfModel =
        tags != nullptr && tags->fits(model) ? tags->data() : nullptr;
    orbxmps::PodVector<RowCoefficient> secondHalf;
    const std::size_t split = orbxmps::splitOf(inColumns, secondThreadFrom);
    // In stretches, so that a walk made aside waits while a click walks.
    constexpr std::size_t kStretch = std::size_t{1} << 21;
    orbxmps::runSplitAt(split, inColumns, [&](std::size_t from, std::size_t to) {
        orbxmps::PodVector<RowCoefficient>& part = to <= split ? found : secondHalf;
        for (std::size_t at = from; at < to; at += kStretch) {
            waitWhileBuildPaused(pauses);
            const std::size_t before = part.size();
            findMatches(arrays, bearers, named, tagsOfModel, static_cast<std::uint32_t>(at),
                        static_cast<std::uint32_t>(std::min(to, at + kStretch)), part);
            resolveMatches(arrays, loadOrder, part.data() + before, part.size() - before);
        }
    });
    if (!secondHalf.empty())
        std::memcpy(found.appendUninitialised(secondHalf.size()), secondHalf.data(),
                    secondHalf.size() * sizeof(RowCoefficient));
    sortByColumn(found, model.columns.size(), secondThreadFrom, pauses);
    return found;
}

std::size_t walkedCount(const MatrixModel& model) {
    if (!rowsCanBeWalked(model)) return 0;
    return std::min<std::size_t>(model.entries.arrays()->starts[model.columnLoadOrder.size()],
                                 model.entries.size());
}

bool rowsCanBeWalked(const MatrixModel& model) {
    const std::size_t columns = model.columnLoadOrder.size();
    return model.entries.arrays() != nullptr && model.entries.arrays()->starts != nullptr &&
           columns == model.columns.size() && model.entries.columnCount() == columns;
}

std::pair<std::size_t, std::size_t> rowsNamed(const MatrixModel& model, const char* name) {
    const auto before = [](const CRow& row, const char* key) {
        return std::strcmp(row.cName(), key) < 0;
    };
    const auto after = [](const char* key, const CRow& row) {
        return std::strcmp(key, row.cName()) < 0;
    };
    const auto first = std::lower_bound(model.rows.begin(), model.rows.end(), name, before);
    const auto end = std::upper_bound(first, model.rows.end(), name, after);
    return {static_cast<std::size_t>(first - model.rows.begin()),
            static_cast<std::size_t>(end - model.rows.begin())};
}
