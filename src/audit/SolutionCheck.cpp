#include "SolutionCheck.h"

#include <cmath>
#include <vector>

#include "ModelIndex.h"
#include "NameMerge.h"

namespace {

constexpr int kStatusBasic = 3;
constexpr int kStatusAtUpper = 5;
constexpr int kStatusAtLower = 6;

// Sum of a row's products with the column activities, and the sum of their magnitudes, which
// scales the tolerance so that cancellation in long rows is not taken for an error.
struct RowSum {
    double value = 0.0;
    double scale = 0.0;
    bool complete = true;
};

// How far a marginal value lies on the wrong side for its status; 0 when it does not.
double wrongSign(int status, double marginal, bool maximise, double allowance) {
    const double signedValue = maximise ? -marginal : marginal;
    switch (status) {
        case kStatusBasic:
            return std::fabs(marginal) > allowance ? std::fabs(marginal) : 0.0;
        case kStatusAtLower:
            return signedValue < -allowance ? std::fabs(marginal) : 0.0;
        case kStatusAtUpper:
            return signedValue > allowance ? std::fabs(marginal) : 0.0;
        default:
            return 0.0;
    }
}

// Distance of value outside [lower, upper] beyond the tolerance, with the limit it crosses.
double outside(double value, double lower, double upper, const Tolerances& tolerances,
               double& limit) {
    if (value < lower - tolerances.allowance(lower)) {
        limit = lower;
        return lower - value;
    }
    if (value > upper + tolerances.allowance(upper)) {
        limit = upper;
        return value - upper;
    }
    return 0.0;
}

class Checker {
public:
    Checker(const MatrixModel& model, const PrimalLists& solution, const CheckOptions& options)
        : m_model(model), m_index(model), m_solution(solution), m_options(options) {
        for (FindingRanking& ranking : m_report.findings) ranking = FindingRanking(options.keep);
        m_report.options = options;
        m_report.rows = m_index.rows().size();
        m_report.columns = m_index.columns().size();
        m_report.rowRecords = solution.rows.size();
        m_report.columnRecords = solution.columns.size();
    }

    CheckReport run() {
        matchRecords();
        sumRows();
        checkRows();
        checkColumns();
        return std::move(m_report);
    }

private:
    void matchRecords() {
        const auto rows = m_index.rows();
        const auto columns = m_index.columns();
        m_rowRecord.assign(rows.size(), nullptr);
        m_columnRecord.assign(columns.size(), nullptr);
        const auto stray = [this](std::size_t) { ++m_report.strayRecords; };
        mergeByName(
            rows.size(), [rows](std::size_t i) { return rows[i].row->cName(); },
            m_solution.rows.size(),
            [this](std::size_t j) { return m_solution.rows[j].Name.c_str(); },
            [this](std::size_t i, std::size_t j) { m_rowRecord[i] = &m_solution.rows[j]; },
            [this](std::size_t) { ++m_report.rowsWithoutRecord; }, stray);
        mergeByName(
            columns.size(), [columns](std::size_t i) { return columns[i].column->cName(); },
            m_solution.columns.size(),
            [this](std::size_t j) { return m_solution.columns[j].Name.c_str(); },
            [this](std::size_t i, std::size_t j) { m_columnRecord[i] = &m_solution.columns[j]; },
            [this](std::size_t) { ++m_report.columnsWithoutRecord; }, stray);
    }

    void sumRows() {
        m_sums.assign(m_index.rows().size(), RowSum{});
        const std::vector<bool>& nonlinear = m_options.nonlinearRows;
        for (std::size_t i = 0; i < nonlinear.size() && i < m_index.loadRowCount(); ++i) {
            const std::uint32_t r = m_index.rowOfEntry(static_cast<std::uint32_t>(i));
            if (nonlinear[i] && r != ModelIndex::kNoRow) m_sums[r].complete = false;
        }
        const auto columns = m_index.columns();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const CPrimalCol* record = m_columnRecord[c];
            for (const ColumnEntry& entry : m_model.entries.of(*columns[c].column)) {
                const std::uint32_t r = m_index.rowOfEntry(entry.row);
                if (r == ModelIndex::kNoRow) continue;
                RowSum& sum = m_sums[r];
                if (record == nullptr) {
                    sum.complete = false;
                    continue;
                }
                const double product = double(entry.value) * double(record->Activity);
                sum.value += product;
                sum.scale += std::fabs(product);
            }
        }
    }

    void checkRows() {
        const auto rows = m_index.rows();
        const Tolerances& tolerances = m_options.tolerances;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const RowSum& sum = m_sums[r];
            const CPrimalRow* record = m_rowRecord[r];
            const std::string_view name = rows[r].row->name();
            if (!sum.complete) ++m_report.rowsNotRecomputed;
            if (record == nullptr && !sum.complete) continue;
            const double activity = record != nullptr ? record->Activity : sum.value;
            if (record != nullptr && sum.complete) {
                const double difference = std::fabs(activity - sum.value);
                if (difference > tolerances.allowance(std::max(std::fabs(activity), sum.scale)))
                    add(CheckKind::kRowActivity, name, activity, sum.value, difference);
            }
            double limit = 0.0;
            const double excess =
                outside(activity, rows[r].lower, rows[r].upper, tolerances, limit);
            if (excess > 0) add(CheckKind::kRowBound, name, activity, limit, excess);
            if (record != nullptr) checkSign(CheckKind::kRowMarginal, name, *record);
        }
    }

    void checkColumns() {
        const auto columns = m_index.columns();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const CPrimalCol* record = m_columnRecord[c];
            if (record == nullptr) continue;
            const std::string_view name = columns[c].column->name();
            double limit = 0.0;
            const double excess = outside(record->Activity, columns[c].lower, columns[c].upper,
                                          m_options.tolerances, limit);
            if (excess > 0) add(CheckKind::kColumnBound, name, record->Activity, limit, excess);
            checkSign(CheckKind::kColumnMarginal, name, *record);
        }
    }

    template <typename Record>
    void checkSign(CheckKind kind, std::string_view name, const Record& record) {
        const double size = wrongSign(record.Status, record.MarginalValue, m_options.maximise,
                                      m_options.tolerances.allowance(1.0));
        if (size > 0) add(kind, name, record.MarginalValue, 0.0, size, statusText(record.Status));
    }

    static std::string_view statusText(int status) {
        switch (status) {
            case kStatusBasic:
                return "Basic";
            case kStatusAtUpper:
                return "At Upper Limit";
            default:
                return "At Lower Limit";
        }
    }

    void add(CheckKind kind, std::string_view name, double first, double second, double size,
             std::string_view detail = {}) {
        Finding finding;
        finding.name = name;
        finding.detail = detail;
        finding.first = first;
        finding.second = second;
        finding.magnitude = size;
        m_report.findings[static_cast<std::size_t>(kind)].add(std::move(finding));
    }

    const MatrixModel& m_model;
    ModelIndex m_index;
    const PrimalLists& m_solution;
    const CheckOptions& m_options;
    CheckReport m_report;
    std::vector<const CPrimalRow*> m_rowRecord;
    std::vector<const CPrimalCol*> m_columnRecord;
    std::vector<RowSum> m_sums;
};

}  // namespace

std::string_view checkKindName(CheckKind kind) {
    switch (kind) {
        case CheckKind::kRowActivity:
            return "row-activity";
        case CheckKind::kRowBound:
            return "row-bound";
        case CheckKind::kColumnBound:
            return "column-bound";
        case CheckKind::kRowMarginal:
            return "row-marginal-sign";
        case CheckKind::kColumnMarginal:
            return "column-marginal-sign";
    }
    return "";
}

std::size_t CheckReport::violationCount() const {
    std::size_t total = 0;
    for (const FindingRanking& ranking : findings) total += ranking.count();
    return total;
}

CheckReport checkSolution(const MatrixModel& model, const PrimalLists& solution,
                          const CheckOptions& options) {
    return Checker(model, solution, options).run();
}
