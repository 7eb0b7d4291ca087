#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "Finding.h"
#include "MatrixModel.h"
#include "PrimalLists.h"
#include "Tolerances.h"

// What the check of a solution against its matrix can find.
enum class CheckKind {
    kRowActivity,     // reported row activity against the one recomputed from the columns
    kRowBound,        // row activity outside the interval of type, right-hand side and range
    kColumnBound,     // column activity outside its bounds
    kRowMarginal,     // a row's marginal value with the wrong sign for its status
    kColumnMarginal,  // a column's reduced cost with the wrong sign for its status
};
inline constexpr std::size_t kCheckKindCount = 5;

// Stable identifier of a kind, used in the JSON output and the window's report.
std::string_view checkKindName(CheckKind kind);

struct CheckOptions {
    Tolerances tolerances;
    bool maximise = false;
    std::size_t keep = 20;  // findings listed per kind
    // By load-order row number: rows with nonlinear terms, whose reported activity holds more
    // than the linear part; they are not recomputed. Empty: none.
    std::vector<bool> nonlinearRows;
};

struct CheckReport {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::size_t rowRecords = 0;
    std::size_t columnRecords = 0;
    std::size_t rowsWithoutRecord = 0;
    std::size_t columnsWithoutRecord = 0;
    // Rows whose activity could not be recomputed: a column of theirs has no record, or the
    // row has nonlinear terms.
    std::size_t rowsNotRecomputed = 0;
    // Records naming no row or column of the matrix.
    std::size_t strayRecords = 0;
    CheckOptions options;
    std::array<FindingRanking, kCheckKindCount> findings{FindingRanking(0), FindingRanking(0),
                                                         FindingRanking(0), FindingRanking(0),
                                                         FindingRanking(0)};

    const FindingRanking& of(CheckKind kind) const {
        return findings[static_cast<std::size_t>(kind)];
    }
    std::size_t violationCount() const;
};

// Checks the solution lists against the model: recomputes every row activity in double
// precision from the column activities, tests row and column activities against their limits
// and the signs of marginal values against the basis status. Minimising, a row or column at
// its lower limit has a marginal value >= 0, one at its upper limit <= 0, a basic one 0
// (maximising flips the signs), within absolute + relative; other statuses are not tested. Both
// arguments must be sorted.
CheckReport checkSolution(const MatrixModel& model, const PrimalLists& solution,
                          const CheckOptions& options);
