#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "MatrixModel.h"
#include "PodVector.h"
#include "PrimalLists.h"

// For each position of the model's column array, the column's first solution record: what
// PrimalLists::FindPrimalColumn answers for its name, found for every column at once. Row
// display asks for the records of hundreds of thousands of columns on each rebuild of a
// dense row; with this it looks them up by position instead of comparing names. Made once
// per model and set of records, and valid only for the records it was made from, unchanged
// (answersFor tells).
class PrimalColumnMap {
public:
    PrimalColumnMap() = default;  // made from no records: answers for none
    // From halvesFrom columns on, the two halves of the column array are mapped side by side.
    static constexpr std::size_t kHalvesFrom = std::size_t{1} << 20;
    PrimalColumnMap(const MatrixModel& model, const PrimalLists& primal,
                    std::size_t halvesFrom = kHalvesFrom);

    // Whether the map was made from these very records as they stand (none added, removed or
    // sorted since).
    bool answersFor(const PrimalLists& primal) const;
    // The first record named as the column at position column of the model's column array;
    // null when there is none. Only for the records answersFor accepts.
    const CPrimalCol* recordOf(std::size_t column, const PrimalLists& primal) const {
        if (m_record.empty()) return nullptr;
        const std::uint32_t record = m_record[column];
        return record == kNone ? nullptr : &primal.columns[record];
    }
    // The Activity of that record, kept by position: a dense row reads millions of them, and
    // the records lie 48 bytes apart. Null when there is no record.
    const float* activityOf(std::size_t column) const {
        if (m_known.empty() || m_known[column] == 0) return nullptr;
        return &m_activity[column];
    }
    // The same for a pass that should not branch on each column: whether there is a record,
    // and its Activity (0 when there is none). Only for a map made from records.
    std::pair<bool, float> knownActivityOf(std::size_t column) const {
        return {m_known[column] != 0, m_activity[column]};
    }
    std::size_t memoryBytes() const {
        return m_record.capacityBytes() + m_activity.capacityBytes() + m_known.capacityBytes();
    }

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    void mapColumns(const MatrixModel& model, const PrimalLists& primal, bool inNameOrder,
                    std::size_t from, std::size_t to);
    void mergeSorted(const MatrixModel& model, const PrimalLists& primal, std::size_t from,
                     std::size_t to);
    void lookUpEach(const MatrixModel& model, const PrimalLists& primal, std::size_t from,
                    std::size_t to);

    // Per column: record position or kNone; empty: none.
    orbxmps::PodVector<std::uint32_t> m_record;
    // Apart from the positions, what a dense row's pass reads, for half the bytes: whether
    // there is a record (1 or 0) and its Activity (0 when there is none).
    orbxmps::PodVector<float> m_activity;
    orbxmps::PodVector<std::uint8_t> m_known;
    const PrimalLists* m_primal = nullptr;
    std::uint64_t m_version = 0;
    std::size_t m_recordCount = 0;
};
