#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "Finding.h"
#include "MatrixModel.h"
#include "PrimalLists.h"
#include "Tolerances.h"

// What differs between two models (A, B) and their solutions. "first" of a finding is A's
// value, "second" B's.
enum class CompareKind {
    kRowOnlyInA,
    kRowOnlyInB,
    kColumnOnlyInA,
    kColumnOnlyInB,
    kRowType,      // values are the type characters
    kCoefficient,  // name the column, detail the row; a side may be absent
    kRhs,
    kRange,
    kLowerBound,
    kUpperBound,
    kRowActivity,
    kRowMarginal,
    kRowStatus,  // values are the status codes
    kColumnActivity,
    kColumnMarginal,
    kColumnStatus,
};
inline constexpr std::size_t kCompareKindCount = 16;

std::string_view compareKindName(CompareKind kind);

// One model with its solution lists (empty when it has none), both sorted.
struct ComparedModel {
    const MatrixModel& model;
    const PrimalLists& solution;
};

struct CompareOptions {
    Tolerances tolerances;
    std::size_t keep = 20;
};

struct CompareReport {
    std::size_t rowsA = 0, rowsB = 0, columnsA = 0, columnsB = 0;
    std::size_t coefficientsA = 0, coefficientsB = 0;
    bool solutions = false;  // both sides had solution records, so they were compared
    CompareOptions options;
    std::array<FindingRanking, kCompareKindCount> findings{
        FindingRanking(0), FindingRanking(0), FindingRanking(0), FindingRanking(0),
        FindingRanking(0), FindingRanking(0), FindingRanking(0), FindingRanking(0),
        FindingRanking(0), FindingRanking(0), FindingRanking(0), FindingRanking(0),
        FindingRanking(0), FindingRanking(0), FindingRanking(0), FindingRanking(0)};

    const FindingRanking& of(CompareKind kind) const {
        return findings[static_cast<std::size_t>(kind)];
    }
    std::size_t differenceCount() const;
};

// Matches rows and columns by name (file order does not matter) and reports what only one
// side has, type changes, and coefficients, right-hand sides, ranges, bounds and (when both
// sides carry a solution) activities, marginal values and statuses that differ beyond the
// tolerances. A missing right-hand side or range counts as 0; a coefficient stored in only
// one model is a difference even when its value is 0.
CompareReport compareModels(const ComparedModel& a, const ComparedModel& b,
                            const CompareOptions& options);
