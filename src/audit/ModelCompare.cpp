#include "ModelCompare.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ModelIndex.h"
#include "NameMerge.h"

namespace {

// A coefficient of a common column, its row named by its position in B's rows.
struct PlacedEntry {
    std::uint32_t row;
    float value;
};

bool byRow(const PlacedEntry& a, const PlacedEntry& b) { return a.row < b.row; }

double differenceOf(double a, double b) {
    if (a == b) return 0.0;
    return std::fabs(a - b);
}

class Comparer {
public:
    Comparer(const ComparedModel& a, const ComparedModel& b, const CompareOptions& options)
        : m_a(a), m_b(b), m_indexA(a.model), m_indexB(b.model), m_options(options) {
        for (FindingRanking& ranking : m_report.findings) ranking = FindingRanking(options.keep);
        m_report.options = options;
        m_report.rowsA = m_indexA.rows().size();
        m_report.rowsB = m_indexB.rows().size();
        m_report.columnsA = m_indexA.columns().size();
        m_report.columnsB = m_indexB.columns().size();
        m_report.coefficientsA = a.model.entries.size();
        m_report.coefficientsB = b.model.entries.size();
    }

    CompareReport run() {
        compareRows();
        compareColumns();
        m_report.solutions = !m_a.solution.rows.empty() || !m_a.solution.columns.empty();
        m_report.solutions =
            m_report.solutions && (!m_b.solution.rows.empty() || !m_b.solution.columns.empty());
        if (m_report.solutions) {
            compareRecords(m_a.solution.rows, m_b.solution.rows, CompareKind::kRowActivity,
                           CompareKind::kRowMarginal, CompareKind::kRowStatus);
            compareRecords(m_a.solution.columns, m_b.solution.columns, CompareKind::kColumnActivity,
                           CompareKind::kColumnMarginal, CompareKind::kColumnStatus);
        }
        return std::move(m_report);
    }

private:
    void compareRows() {
        const auto rowsA = m_indexA.rows();
        const auto rowsB = m_indexB.rows();
        m_rowAToB.assign(rowsA.size(), ModelIndex::kNoRow);
        m_rowBInA.assign(rowsB.size(), false);
        mergeByName(
            rowsA.size(), [rowsA](std::size_t i) { return rowsA[i].row->cName(); }, rowsB.size(),
            [rowsB](std::size_t j) { return rowsB[j].row->cName(); },
            [&](std::size_t i, std::size_t j) {
                m_rowAToB[i] = static_cast<std::uint32_t>(j);
                m_rowBInA[j] = true;
                compareRow(rowsA[i], rowsB[j]);
            },
            [&](std::size_t i) { addPresence(CompareKind::kRowOnlyInA, rowsA[i].row->name()); },
            [&](std::size_t j) { addPresence(CompareKind::kRowOnlyInB, rowsB[j].row->name()); });
    }

    void compareRow(const IndexedRow& a, const IndexedRow& b) {
        const std::string_view name = a.row->name();
        if (a.row->type() != b.row->type())
            add(CompareKind::kRowType, name, {}, a.row->type(), b.row->type(), 0.0);
        compareValue(CompareKind::kRhs, name, {}, a.rhs, b.rhs);
        compareValue(CompareKind::kRange, name, {}, a.range, b.range);
    }

    void compareColumns() {
        const auto columnsA = m_indexA.columns();
        const auto columnsB = m_indexB.columns();
        mergeByName(
            columnsA.size(), [columnsA](std::size_t i) { return columnsA[i].column->cName(); },
            columnsB.size(), [columnsB](std::size_t j) { return columnsB[j].column->cName(); },
            [&](std::size_t i, std::size_t j) {
                const std::string_view name = columnsA[i].column->name();
                compareValue(CompareKind::kLowerBound, name, {}, columnsA[i].lower,
                             columnsB[j].lower);
                compareValue(CompareKind::kUpperBound, name, {}, columnsA[i].upper,
                             columnsB[j].upper);
                compareCoefficients(*columnsA[i].column, *columnsB[j].column);
            },
            [&](std::size_t i) {
                addPresence(CompareKind::kColumnOnlyInA, columnsA[i].column->name());
            },
            [&](std::size_t j) {
                addPresence(CompareKind::kColumnOnlyInB, columnsB[j].column->name());
            });
    }

    // Coefficients in rows that only one model has are covered by that row's finding.
    void compareCoefficients(const CCol& a, const CCol& b) {
        m_entriesA.clear();
        for (const ColumnEntry& entry : m_a.model.entries.of(a)) {
            const std::uint32_t rowA = m_indexA.rowOfEntry(entry.row);
            if (rowA == ModelIndex::kNoRow || m_rowAToB[rowA] == ModelIndex::kNoRow) continue;
            m_entriesA.push_back({m_rowAToB[rowA], entry.value});
        }
        m_entriesB.clear();
        for (const ColumnEntry& entry : m_b.model.entries.of(b)) {
            const std::uint32_t rowB = m_indexB.rowOfEntry(entry.row);
            if (rowB == ModelIndex::kNoRow || !m_rowBInA[rowB]) continue;
            m_entriesB.push_back({rowB, entry.value});
        }
        if (!std::is_sorted(m_entriesA.begin(), m_entriesA.end(), byRow))
            std::stable_sort(m_entriesA.begin(), m_entriesA.end(), byRow);
        if (!std::is_sorted(m_entriesB.begin(), m_entriesB.end(), byRow))
            std::stable_sort(m_entriesB.begin(), m_entriesB.end(), byRow);
        mergeEntries(a.name());
    }

    void mergeEntries(std::string_view column) {
        const auto rowsB = m_indexB.rows();
        std::size_t i = 0;
        std::size_t j = 0;
        while (i < m_entriesA.size() || j < m_entriesB.size()) {
            const bool takeA = j == m_entriesB.size() ||
                               (i < m_entriesA.size() && m_entriesA[i].row <= m_entriesB[j].row);
            const bool takeB = i == m_entriesA.size() ||
                               (j < m_entriesB.size() && m_entriesB[j].row <= m_entriesA[i].row);
            const std::uint32_t row = takeA ? m_entriesA[i].row : m_entriesB[j].row;
            const std::string_view rowName = rowsB[row].row->name();
            if (takeA && takeB) {
                compareValue(CompareKind::kCoefficient, column, rowName, m_entriesA[i].value,
                             m_entriesB[j].value);
            } else {
                addOneSided(column, rowName, takeA ? m_entriesA[i].value : m_entriesB[j].value,
                            takeA);
            }
            i += takeA ? 1 : 0;
            j += takeB ? 1 : 0;
        }
    }

    // A coefficient stored in one model only, in a row both have.
    void addOneSided(std::string_view column, std::string_view row, double value, bool inA) {
        FindingRanking& ranking =
            m_report.findings[static_cast<std::size_t>(CompareKind::kCoefficient)];
        if (ranking.countIfNotKept(std::fabs(value))) return;
        Finding finding = makeFinding(column, row, inA ? value : 0.0, inA ? 0.0 : value);
        finding.firstPresent = inA;
        finding.secondPresent = !inA;
        finding.magnitude = std::fabs(value);
        ranking.add(std::move(finding));
    }

    template <typename Record>
    void compareRecords(const CSortableTypedPtrArray<Record>& a,
                        const CSortableTypedPtrArray<Record>& b, CompareKind activity,
                        CompareKind marginal, CompareKind status) {
        const auto none = [](std::size_t) {};
        mergeByName(
            a.size(), [&a](std::size_t i) { return a[i].Name.c_str(); }, b.size(),
            [&b](std::size_t j) { return b[j].Name.c_str(); },
            [&](std::size_t i, std::size_t j) {
                compareValue(activity, a[i].Name, {}, a[i].Activity, b[j].Activity);
                compareValue(marginal, a[i].Name, {}, a[i].MarginalValue, b[j].MarginalValue);
                if (a[i].Status != b[j].Status)
                    add(status, a[i].Name, {}, a[i].Status, b[j].Status, 0.0);
            },
            none, none);
    }

    void compareValue(CompareKind kind, std::string_view name, std::string_view detail, double a,
                      double b) {
        if (m_options.tolerances.agree(a, b)) return;
        add(kind, name, detail, a, b, differenceOf(a, b));
    }

    void addPresence(CompareKind kind, std::string_view name) { add(kind, name, {}, 0, 0, 0); }

    static Finding makeFinding(std::string_view name, std::string_view detail, double a, double b) {
        Finding finding;
        finding.name = name;
        finding.detail = detail;
        finding.first = a;
        finding.second = b;
        return finding;
    }

    void add(CompareKind kind, std::string_view name, std::string_view detail, double a, double b,
             double magnitude) {
        Finding finding = makeFinding(name, detail, a, b);
        finding.magnitude = magnitude;
        push(kind, std::move(finding));
    }

    void push(CompareKind kind, Finding finding) {
        m_report.findings[static_cast<std::size_t>(kind)].add(std::move(finding));
    }

    const ComparedModel& m_a;
    const ComparedModel& m_b;
    ModelIndex m_indexA;
    ModelIndex m_indexB;
    const CompareOptions& m_options;
    CompareReport m_report;
    std::vector<std::uint32_t> m_rowAToB;
    std::vector<bool> m_rowBInA;
    std::vector<PlacedEntry> m_entriesA;
    std::vector<PlacedEntry> m_entriesB;
};

}  // namespace

std::string_view compareKindName(CompareKind kind) {
    static constexpr std::string_view kNames[kCompareKindCount] = {"row-only-in-a",
                                                                   "row-only-in-b",
                                                                   "column-only-in-a",
                                                                   "column-only-in-b",
                                                                   "row-type",
                                                                   "coefficient",
                                                                   "rhs",
                                                                   "range",
                                                                   "lower-bound",
                                                                   "upper-bound",
                                                                   "row-activity",
                                                                   "row-marginal",
                                                                   "row-status",
                                                                   "column-activity",
                                                                   "column-marginal",
                                                                   "column-status"};
    return kNames[static_cast<std::size_t>(kind)];
}

std::size_t CompareReport::differenceCount() const {
    std::size_t total = 0;
    for (const FindingRanking& ranking : findings) total += ranking.count();
    return total;
}

CompareReport compareModels(const ComparedModel& a, const ComparedModel& b,
                            const CompareOptions& options) {
    return Comparer(a, b, options).run();
}
