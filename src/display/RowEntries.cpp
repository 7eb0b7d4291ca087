#include "RowEntries.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

#include "Comparators.h"
#include "ParallelWork.h"
#include "RadixSort.h"

void RowEntries::assign(const MatrixModel& model, std::span<const RowCoefficient> viewed,
                        TermOfColumn terms, ColumnActivities activities,
                        const ColumnNameLengths* nameLengths) {
    clear();
    m_model = &model;
    m_viewed = viewed;
    m_terms = std::move(terms);
    m_activities = activities;
    if (nameLengths != nullptr && nameLengths->fits(model)) m_nameLengths = nameLengths;
}

void RowEntries::assign(const MatrixModel& model, orbxmps::PodVector<RowCoefficient> kept,
                        TermOfColumn terms, ColumnActivities activities,
                        const ColumnNameLengths* nameLengths) {
    assign(model, std::span<const RowCoefficient>(), std::move(terms), activities, nameLengths);
    m_kept = std::move(kept);
}

namespace {

// Writes a word in each page of [begin, begin + count), in stretches of 2 MB between which a
// paused caller waits.
template <typename T>
void touchPages(T* begin, std::size_t count, const BuildPauses* pauses) {
    constexpr std::size_t kPage = 4096;
    constexpr std::size_t kStretch = std::size_t{2} << 20;
    for (std::size_t i = 0; i < count; i += kPage / sizeof(T)) {
        if (i % (kStretch / sizeof(T)) == 0) waitWhileBuildPaused(pauses);
        begin[i] = T{};
    }
}

}  // namespace

DenseRowReserve DenseRowReserve::forCoefficients(std::size_t count, const BuildPauses* pauses) {
    DenseRowReserve reserve;
    for (SortWords* words : {&reserve.keys, &reserve.order}) {
        words->resize(count);  // left unwritten: the scratch allocator does not clear
        touchPages(words->data(), count, pauses);
    }
    const std::size_t products = count - count / 2 + 1;  // the later half, split anyhow
    touchPages(reserve.products.appendUninitialised(products), products, pauses);
    reserve.products.resize(0);
    return reserve;
}

void RowEntries::keepReserve(DenseRowReserve& reserve) {
    m_order.keepLarger(std::move(reserve.order));
    if (reserve.products.capacityBytes() > m_laterProducts.capacityBytes())
        m_laterProducts = std::move(reserve.products);
}

void RowEntries::clear() {
    m_viewed = {};
    m_kept.clear();
    m_order.clear();  // keeps its block for the next row
    m_terms.clear();
    m_activities = {};
    m_nameLengths = nullptr;
    m_summary.reset();
}

void RowEntries::arrange(int sortKey, bool inNameOrder, const NumberFormatOptions& format,
                         EntrySortScratch& scratch) {
    const std::size_t count = coefficients().size();
    const bool byMap = m_activities.mapAlone() != nullptr;
    if (count >= 2 && summarizable() &&
        (sortKey == 1 || ((sortKey == 2 || sortKey == 3) && byMap))) {
        // The keys read what the summary reads, the coefficients and for activities the map
        // beside them: one pass makes both.
        m_order.clear();
        scratch.packed.resize(count);
        const KeyStats stats = summarize(format, KeysToMake{scratch.packed.data(), sortKey});
        orderByKeys(scratch, m_order, stats);
        return;
    }
    sortBy(sortKey, inNameOrder, scratch);
    summarize(format);
}

void RowEntries::sortBy(int sortKey, bool inNameOrder, EntrySortScratch& scratch) {
    m_order.clear();
    const std::span<const RowCoefficient> all = coefficients();
    if (all.size() < 2) return;
    // Keys under which every entry is equal keep the coefficients' order, as a stable sort.
    if (sortKey == 0) {
        if (!inNameOrder) orderByName();
        return;
    }
    if ((sortKey == 2 || sortKey == 3) && !m_activities.any()) return;
    if (sortKey == 4 && m_terms.empty()) return;
    switch (sortKey) {
        case 1:
            orderByNumber<KeyCalls::AnyThread>(
                all.size(), [all](std::size_t i) { return static_cast<double>(all[i].value); },
                scratch, m_order);
            return;
        case 2:
        case 3: {
            const double CNorvaRow::*value =
                sortKey == 2 ? &CNorvaRow::counterpartValue : &CNorvaRow::calculatedValue;
            orderByNumber(
                all.size(),
                [this, all, value](std::size_t i) { return complete(all[i], false).*value; },
                scratch, m_order);
            return;
        }
        case 4:
            orderByNumber(
                all.size(),
                [this, all](std::size_t i) {
                    return -static_cast<double>(complete(all[i], false).termNumber);
                },
                scratch, m_order);
            return;
        default:
            return;
    }
}

void RowEntries::orderByName() {
    const std::span<const RowCoefficient> all = coefficients();
    std::vector<std::uint32_t> order(all.size());
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    const auto less = [this, all](std::uint32_t a, std::uint32_t b) {
        return m_model->columns[all[a].column].name() < m_model->columns[all[b].column].name();
    };
    if (std::is_sorted(order.begin(), order.end(), less)) return;
    std::stable_sort(order.begin(), order.end(), less);
    m_order.assignIndexes(order);
}

std::optional<std::size_t> RowEntries::find(std::string_view name) const {
    const std::span<const RowCoefficient> all = coefficients();
    if (all.empty()) return std::nullopt;
    const auto& columns = m_model->columns;
    if (columns.comparator() != &CompareCols)
        return firstPosition(
            [&](std::uint32_t i) { return columns[all[i].column].name() == name; });
    // The columns bearing the name are a run of the array, and so are their coefficients,
    // which come in column-array order: a few binary searches find them.
    const auto firstNamed =
        std::lower_bound(columns.begin(), columns.end(), name,
                         [](const CCol& column, std::string_view n) { return column.name() < n; });
    const auto endNamed =
        std::upper_bound(firstNamed, columns.end(), name,
                         [](std::string_view n, const CCol& column) { return n < column.name(); });
    const auto byColumn = [](const RowCoefficient& c, std::size_t column) {
        return c.column < column;
    };
    const auto first = std::lower_bound(
        all.begin(), all.end(), static_cast<std::size_t>(firstNamed - columns.begin()), byColumn);
    const auto end = std::lower_bound(
        first, all.end(), static_cast<std::size_t>(endNamed - columns.begin()), byColumn);
    if (first == end) return std::nullopt;
    const auto firstAt = static_cast<std::size_t>(first - all.begin());
    const auto endAt = static_cast<std::size_t>(end - all.begin());
    return firstPosition([firstAt, endAt](std::uint32_t i) { return i >= firstAt && i < endAt; });
}

// The longest length is found in the coefficients' own order, which needs no list order; then
// the first name of that length in list order, which puts in order no more of a sorted list
// than the group that holds it.
std::string_view RowEntries::longestName() const {
    const std::span<const RowCoefficient> all = coefficients();
    const auto own = [all](std::size_t i) -> const RowCoefficient& { return all[i]; };
    const auto nameOf = [this, all](std::size_t i) {
        return m_model->columns[all[i].column].name();
    };
    std::string_view longest;
    if (m_nameLengths != nullptr)
        longest = m_nameLengths->longestAmong(*m_model, all.size(), own);
    else
        for (std::size_t i = 0; i < all.size(); ++i)
            if (nameOf(i).size() > longest.size()) longest = nameOf(i);
    if (m_order.empty()) return longest;
    const std::optional<std::size_t> first = firstPosition([&](std::uint32_t i) {
        if (m_nameLengths != nullptr && !m_nameLengths->mayBe(all[i].column, longest.size()))
            return false;
        return nameOf(i).size() == longest.size();
    });
    return name(*first);
}

std::int32_t RowEntries::largestTermNumber() const {
    std::int32_t largest = 0;
    if (m_terms.empty()) return largest;
    for (const RowCoefficient& coefficient : coefficients())
        largest = std::max(largest, complete(coefficient, false).termNumber);
    return largest;
}

template <typename TakeProducts>
void RowEntries::summarizePart(const PrimalColumnMap* map, std::size_t from, std::size_t to,
                               std::optional<KeysToMake> keys, Summary& summary, KeyStats& keyStats,
                               TakeProducts takeProducts) const {
    constexpr std::uint64_t kUnknownKey = descendingKey(CNorvaRow::kUnknown);
    // A stretch at a time, the values, and the activities and products of the columns with a
    // record, are gathered into arrays of their own, without a branch on whether a column has
    // one (that goes either way from one coefficient to the next), then offered together.
    constexpr std::size_t kStretch = 1024;
    std::array<float, kStretch> values;
    std::array<float, kStretch> activities;
    std::array<float, kStretch> products;
    const std::span<const RowCoefficient> all = coefficients();
    for (std::size_t start = from; start < to; start += kStretch) {
        const std::size_t length = std::min(to - start, kStretch);
        const std::span<const RowCoefficient> stretch = all.subspan(start, length);
        for (std::size_t i = 0; i < length; ++i) values[i] = stretch[i].value;
        summary.values[0].offer(std::span<const float>(values.data(), length));
        // The stats of a stretch's keys are taken while the keys are still in the cache.
        const std::span<const std::uint64_t> stretchKeys(keys ? keys->keys + start : nullptr,
                                                         keys ? length : 0);
        if (keys && keys->sortKey == 1) {
            for (std::size_t i = 0; i < length; ++i)
                keys->keys[start + i] = descendingKey(double{values[i]});
            keyStats.take(stretchKeys);
        }
        if (map == nullptr) continue;
        const bool keysHere = keys && keys->sortKey != 1;
        std::size_t known = 0;
        for (std::size_t i = 0; i < length; ++i) {
            const auto [hasRecord, activity] = map->knownActivityOf(stretch[i].column);
            const float product = stretch[i].value * activity;
            activities[known] = activity;
            products[known] = product;
            known += hasRecord ? 1 : 0;
            if (!keysHere) continue;
            // What complete() gives the entry; a mask rather than a choice, which the
            // compiler may make a jump that half the columns mispredict.
            const std::uint64_t key =
                descendingKey(double{keys->sortKey == 2 ? activity : product});
            const std::uint64_t knownMask = std::uint64_t{0} - std::uint64_t{hasRecord};
            keys->keys[start + i] = (key & knownMask) | (kUnknownKey & ~knownMask);
        }
        if (keysHere) keyStats.take(stretchKeys);
        summary.values[1].offer(std::span<const float>(activities.data(), known));
        summary.values[2].offer(std::span<const float>(products.data(), known));
        takeProducts(std::span<const float>(products.data(), known));
    }
}

KeyStats RowEntries::summarize(const NumberFormatOptions& format, std::optional<KeysToMake> keys) {
    m_summary.reset();
    KeyStats keyStats[2];
    if (!summarizable()) return keyStats[0];
    const PrimalColumnMap* map = m_activities.mapAlone();
    // A dense row's halves on two cores; the extremes do not depend on the order they are
    // met in, and the sum is one float sum in coefficient order however it is split.
    const std::size_t count = coefficients().size();
    const std::size_t split = orbxmps::splitOf(count, radix::kTwoThreadsFrom);
    Summary summary{ValueExtremes(format)};
    Summary later{ValueExtremes(format)};
    float sum = 0.0f;
    m_laterProducts.resize(0);
    orbxmps::runSplitAt(split, count, [&](std::size_t from, std::size_t to) {
        if (from == 0)
            summarizePart(map, from, to, keys, summary, keyStats[0],
                          [&sum](std::span<const float> products) {
                              for (const float product : products) sum += product;
                          });
        else
            summarizePart(map, from, to, keys, later, keyStats[1],
                          [this](std::span<const float> products) {
                              m_laterProducts.append(products.data(), products.size());
                          });
    });
    if (split != count) {
        for (std::size_t k = 0; k < summary.values.size(); ++k)
            summary.values[k].merge(later.values[k]);
        for (const float product : m_laterProducts) sum += product;
    }
    summary.productSum = sum;
    m_summary = summary;
    keyStats[0].follow(keyStats[1]);
    return keyStats[0];
}
