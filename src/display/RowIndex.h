#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "BuildPauses.h"
#include "MatrixModel.h"
#include "PodVector.h"

class RowTags;

// A coefficient of a row: the column by its position in the column array, and the value.
struct RowCoefficient {
    std::uint32_t column;
    float value;

    bool operator==(const RowCoefficient&) const = default;
};

// The model keeps coefficients column by column only. This lists, for each row of the row
// array, its coefficients in the order a walk over the column array (and inside each column
// over its stored coefficients) meets them, repeated pairs kept: what row display would find
// by walking every coefficient, at the cost of 8 bytes per non-zero and 4 per row.
// Rows are matched by name, as the walk matches them, so equal row names share their lists.
class RowIndex {
public:
    // Below this many non-zeros a second thread costs more than it saves.
    static constexpr std::size_t kSecondThreadFrom = std::size_t{1} << 18;

    // Builds on two threads from secondThreadFrom non-zeros on (0: always). While pauses (if
    // given) hold it, the build waits between stretches of columns, for at most a fifth of
    // a second at each.
    explicit RowIndex(const MatrixModel& model, std::size_t secondThreadFrom = kSecondThreadFrom,
                      const BuildPauses* pauses = nullptr);

    // The coefficients of the row at position row of the row array; empty when out of range.
    std::span<const RowCoefficient> coefficientsOfRow(std::size_t row) const;
    std::size_t memoryBytes() const;
    // The most coefficients any row has.
    std::size_t longestList() const { return m_longest; }

private:
    std::vector<std::uint32_t> m_start;  // per row-array position: first slot, then the end
    // Every slot is written once before it is read, so the block is never zero-filled.
    orbxmps::PodVector<RowCoefficient> m_coefficients;
    // Rows whose name an earlier row of the array bears: (row, that earlier row), by row.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_sameNameAs;
    std::size_t m_longest = 0;
};

// The walk the index stands for: every coefficient of every column whose row is named
// rowName, in column-array order and stored order. Reads every non-zero of the model.
// From secondThreadFrom non-zeros on (0: always), the walk and its sort run on two threads.
// While pauses (if given) hold it, it waits between stretches, as the index's build does.
// Tags (if given and made from this model) spare it half the reading of a row named once.
orbxmps::PodVector<RowCoefficient> walkRowCoefficients(
    const MatrixModel& model, const char* rowName,
    std::size_t secondThreadFrom = RowIndex::kSecondThreadFrom, const BuildPauses* pauses = nullptr,
    const RowTags* tags = nullptr);

// Whether the model's coefficients come with what the walk reads: their columns' starts, in
// load order. Both loaders give them.
bool rowsCanBeWalked(const MatrixModel& model);
// How many non-zeros the walk reads: those of the columns, which may end before the entries
// do; 0 where the rows cannot be walked.
std::size_t walkedCount(const MatrixModel& model);

// The run [first, end) of the row array that bears the name, for rows sorted by CompareRows.
std::pair<std::size_t, std::size_t> rowsNamed(const MatrixModel& model, const char* name);
