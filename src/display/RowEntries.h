#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "CNorvaRow.h"
#include "ColumnActivities.h"
#include "ColumnNameLengths.h"
#include "DetailEntries.h"
#include "EntryOrder.h"
#include "EntrySort.h"
#include "MatrixModel.h"
#include "RowIndex.h"
#include "ValueExtremes.h"

// What a row of count coefficients sorted by a number needs beside them, made and its pages
// touched ahead on a thread with time to spare: the first sort of a row of millions otherwise
// waits for the kernel to clear tens of megabytes, on some machines longer than the sort takes.
struct DenseRowReserve {
    SortWords keys;                      // for EntrySortScratch::packed
    SortWords order;                     // for the list's order
    orbxmps::PodVector<float> products;  // for the summary's second half, empty, with room

    // Touches its pages in stretches, waiting between them while pauses (if given) hold it.
    static DenseRowReserve forCoefficients(std::size_t count, const BuildPauses* pauses = nullptr);
    bool empty() const { return keys.empty(); }
};

// Row display's entries, each made when asked for. The densest rows hold millions of
// coefficients, and writing them all out as whole entries (48 bytes each) took longer than a
// click may; this keeps the row's coefficients as the row index holds them (8 bytes each, not
// copied), the order the list shows them in (4 bytes each, only when it is not theirs) and what
// an entry is completed from: the column names, the row's nonlinear term numbers and the
// activities. It views the model, the index, the solution records and the name lengths, so it
// is valid only while they stay as they were.
class RowEntries {
public:
    // The last nonlinear term of the row that holds a column, by column name.
    using TermOfColumn = std::unordered_map<std::string_view, std::int32_t>;

    // A list of the coefficients in their order: viewed, as they outlive the list (the row
    // index's), or kept (a walk's). nameLengths (may be null) speed up longestName.
    void assign(const MatrixModel& model, std::span<const RowCoefficient> viewed,
                TermOfColumn terms, ColumnActivities activities,
                const ColumnNameLengths* nameLengths);
    void assign(const MatrixModel& model, orbxmps::PodVector<RowCoefficient> kept,
                TermOfColumn terms, ColumnActivities activities,
                const ColumnNameLengths* nameLengths);
    void clear();
    // Takes the reserve's order words and room for products where they are more than it holds.
    void keepReserve(DenseRowReserve& reserve);

    // Puts the list in the order sortEntries gives row display's whole entries, then
    // summarizes it (see summarize). inNameOrder: the column array is sorted by name, so the
    // coefficients' order is the names' order.
    void arrange(int sortKey, bool inNameOrder, const NumberFormatOptions& format,
                 EntrySortScratch& scratch);

    std::size_t size() const { return coefficients().size(); }
    bool empty() const { return size() == 0; }
    CNorvaRow operator[](std::size_t position) const {
        return complete(coefficients()[coefficientAt(position)], true);
    }
    std::string_view name(std::size_t position) const {
        return m_model->columns[coefficients()[coefficientAt(position)].column].name();
    }
    // The first position whose entry is named name.
    std::optional<std::size_t> find(std::string_view name) const;

    // The first of the longest names, in list order.
    std::string_view longestName() const;
    // Calls visit(value) for every value column (1, 2 or 3) shows, in the coefficients' order.
    template <typename Visit>
    void forEachValue(int column, Visit visit) const {
        if (column == 1 && m_terms.empty()) {
            for (const RowCoefficient& coefficient : coefficients())
                visit(static_cast<double>(coefficient.value));
            return;
        }
        if ((column == 2 || column == 3) && !m_activities.any()) return;
        const PrimalColumnMap* map = m_activities.mapAlone();
        if ((column == 2 || column == 3) && m_terms.empty() && map != nullptr) {
            for (const RowCoefficient& coefficient : coefficients())
                if (const float* activity = map->activityOf(coefficient.column)) {
                    const float product = coefficient.value * *activity;
                    visit(column == 2 ? static_cast<double>(*activity) : product);
                }
            return;
        }
        for (const RowCoefficient& coefficient : coefficients()) {
            const CNorvaRow entry = complete(coefficient, false);
            if (const double* value = entryCellValue(entry, column, true)) visit(*value);
        }
    }
    std::int32_t largestTermNumber() const;

    // One pass over the coefficients, made once per rebuild, for what a dense row's list
    // would otherwise pass over each of its value columns for, and the sum of products. Made
    // only when no entry has a nonlinear term and the activities, if any, come from the
    // map alone; then summarized() holds it.
    struct Summary {
        explicit Summary(const ValueExtremes& none) : values{none, none, none} {}
        std::array<ValueExtremes, 3> values;  // columns 1, 2 and 3
        float productSum = 0.0f;              // as ColumnActivities::productSum adds it
    };
    const Summary* summarized() const { return m_summary ? &*m_summary : nullptr; }
    // The extremes of value column 1, 2 or 3 when summarized; null otherwise.
    const ValueExtremes* extremesOf(int column) const {
        if (!m_summary || column < 1 || column > 3) return nullptr;
        return &m_summary->values[column - 1];
    }

    std::span<const RowCoefficient> coefficients() const {
        return m_viewed.data() != nullptr
                   ? m_viewed
                   : std::span<const RowCoefficient>(m_kept.data(), m_kept.size());
    }

private:
    std::size_t coefficientAt(std::size_t position) const {
        return m_order.empty() ? position : m_order[position];
    }
    CNorvaRow complete(const RowCoefficient& coefficient, bool named) const {
        CNorvaRow entry;
        if (named) entry.name = m_model->columns[coefficient.column].name();
        entry.coefficient = coefficient.value;
        if (!m_terms.empty()) {
            const auto term = m_terms.find(m_model->columns[coefficient.column].name());
            if (term != m_terms.end()) entry.termNumber = term->second;
        }
        if (!m_activities.any()) return entry;
        if (const auto activity = m_activities.of(coefficient.column, *m_model)) {
            const float product = coefficient.value * activity->activity;
            entry.counterpartValue = activity->shown;
            entry.calculatedValue = product;
        }
        return entry;
    }
    void orderByName();
    // The first position whose coefficient (by its index) passes test.
    template <typename Test>
    std::optional<std::size_t> firstPosition(Test test) const {
        if (!m_order.empty()) return m_order.firstWhere(test);
        for (std::size_t position = 0; position < size(); ++position)
            if (test(static_cast<std::uint32_t>(position))) return position;
        return std::nullopt;
    }
    void sortBy(int sortKey, bool inNameOrder, EntrySortScratch& scratch);
    // The keys of an order by coefficient, activity or product (sort key 1, 2 or 3), made
    // beside the summary.
    struct KeysToMake {
        std::uint64_t* keys;
        int sortKey;
    };
    bool summarizable() const {
        return m_terms.empty() && (!m_activities.any() || m_activities.mapAlone() != nullptr);
    }
    // Gives the stats of the keys made, none when none were asked for.
    KeyStats summarize(const NumberFormatOptions& format, std::optional<KeysToMake> keys = {});
    // Offers coefficients [from, to) to summary, hands the products of the columns with a
    // record, in order, to takeProducts, and makes their keys when asked, into keyStats too.
    template <typename TakeProducts>
    void summarizePart(const PrimalColumnMap* map, std::size_t from, std::size_t to,
                       std::optional<KeysToMake> keys, Summary& summary, KeyStats& keyStats,
                       TakeProducts takeProducts) const;

    const MatrixModel* m_model = nullptr;
    std::span<const RowCoefficient> m_viewed;
    orbxmps::PodVector<RowCoefficient> m_kept;
    EntryOrder m_order;  // coefficient per list position; empty: their own
    TermOfColumn m_terms;
    ColumnActivities m_activities;
    const ColumnNameLengths* m_nameLengths = nullptr;
    std::optional<Summary> m_summary;
    // The second half's products while the first half's sum is made: the sum goes on through
    // them in order, as one pass would add them. Kept from row to row, as the order is.
    orbxmps::PodVector<float> m_laterProducts;
};
