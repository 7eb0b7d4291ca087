#include "RowDisplay.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Comparators.h"
#include "ModelNotes.h"
#include "DetailEntries.h"
#include "EntrySort.h"
#include "PrimalColumnCursor.h"

namespace {

// The sign test: a row whose entries (and opposite-signed RHS) all lean one way is suspect.
struct SignCount {
    bool positive = false;
    bool negative = false;
    void count(double value) { (value < 0 ? negative : positive) = true; }
};

struct NonlinearPart {
    std::unordered_map<std::string_view, std::int32_t> termOfColumn;
    int termCount = 0;
};

// Numbers the row's nonlinear terms from 1; a column in several terms keeps the last number.
NonlinearPart collectNonlinearTerms(const DetailSources& sources, const orbxmps::ORBRow& libRow,
                                    SignCount& signs) {
    NonlinearPart part;
    if (!libRow || sources.nonlinear == nullptr) return part;
    const orbxmps::ORBNonlinearTerms& terms = *sources.nonlinear;
    for (orbxmps::ORBNLTerm term = terms.firstTermOfRow(libRow.index()); term;
         term = terms.nextTermOfRow(term)) {
        ++part.termCount;
        signs.count(term.coefficient());
        for (orbxmps::ORBNLVariable v = term.firstVariable(); v; v = term.nextVariable(v))
            part.termOfColumn[v.name()] = part.termCount;
    }
    return part;
}

// Finds columns' activities, in the solution records first, then in a library that holds a
// solution; the product and the running sum are 32-bit floats. The records are looked up by
// column position when the sources carry a map made from them as they stand, else by name.
class ActivitySource {
public:
    explicit ActivitySource(const DetailSources& sources) : m_primal(sources.primal) {
        if (sources.primalColumns != nullptr && sources.primalColumns->answersFor(m_primal))
            m_map = sources.primalColumns;
        else
            m_cursor.emplace(m_primal);
        if (sources.library != nullptr && sources.library->holdsSolution())
            m_columns = sources.library->getColumnManager();
    }

    void attach(const RowCoefficient& coefficient, CNorvaRow& entry) {
        const CPrimalCol* record = m_map != nullptr ? m_map->recordOf(coefficient.column, m_primal)
                                                    : m_cursor->find(entry.name);
        if (record != nullptr) {
            add(coefficient.value, record->Activity, record->Activity, entry);
            return;
        }
        if (m_columns == nullptr) return;
        const orbxmps::ORBColumn column = m_columns->findColumn(entry.name);
        // Decision: the library's double is shown as it is; the product uses it as a float,
        // as the product of a solution record does.
        if (column)
            add(coefficient.value, column.activity(), static_cast<float>(column.activity()), entry);
    }
    float activitySum() const { return m_sum; }

private:
    void add(float coefficient, double shown, float activity, CNorvaRow& entry) {
        const float product = coefficient * activity;
        entry.counterpartValue = shown;
        entry.calculatedValue = product;
        m_sum += product;
    }

    const PrimalLists& m_primal;
    const PrimalColumnMap* m_map = nullptr;
    std::optional<PrimalColumnCursor> m_cursor;  // only without a map
    orbxmps::ORBColumnManager* m_columns = nullptr;
    float m_sum = 0.0f;
};

// The row's coefficients from the index, or, without one, from a walk kept in walked.
std::span<const RowCoefficient> rowCoefficients(const DetailSources& sources, std::size_t row,
                                                std::vector<RowCoefficient>& walked) {
    if (sources.rowIndex != nullptr) return sources.rowIndex->coefficientsOfRow(row);
    walked = walkRowCoefficients(sources.model, sources.model.rows[row].cName());
    return walked;
}

// The row's entries in the order of its coefficients, with term numbers and activities.
void collectEntries(const DetailSources& sources, std::size_t row, const NonlinearPart& nonlinear,
                    SignCount& signs, ActivitySource& activities, std::vector<CNorvaRow>& entries) {
    std::vector<RowCoefficient> walked;
    const std::span<const RowCoefficient> coefficients = rowCoefficients(sources, row, walked);
    entries.reserve(coefficients.size());
    for (const RowCoefficient& coefficient : coefficients) {
        CNorvaRow& entry = entries.emplace_back();
        entry.name = sources.model.columns[coefficient.column].name();
        entry.coefficient = coefficient.value;
        if (!nonlinear.termOfColumn.empty()) {
            const auto term = nonlinear.termOfColumn.find(entry.name);
            if (term != nonlinear.termOfColumn.end()) entry.termNumber = term->second;
        }
        signs.count(coefficient.value);
        activities.attach(coefficient, entry);
    }
}

std::string rowTypeText(char type) {
    switch (type) {
        case 'L':
            return "LE";
        case 'G':
            return "GE";
        case 'E':
            return "EQ";
        default:
            return "FR";
    }
}

void setEmptyRowLines(DetailContent& content) {
    content.entries.clear();
    content.notes.clear();
    content.L1 = "Row Type: ";
    content.L2 = "RHS Value: ";
    content.L3 = "Range Value: ";
    content.R1 = "Row Status: ";
    content.R2 = "Row Activity: ";
    content.R4 = "Row Pi Value: ";
    content.R3.clear();
}

std::string formatValue(const DetailSources& sources, double value) {
    return formatNumber(value, sources.format);
}

void setSolutionLines(const DetailSources& sources, const CRow& row, const orbxmps::ORBRow& libRow,
                      DetailContent& content) {
    const CPrimalRow* record = sources.primal.FindPrimalRow(row.name());
    content.R1 = "Row Status: ";
    content.R2 = "Row Activity: ";
    content.R4 = "Row Pi Value: ";
    if (record != nullptr) {
        content.R1 += statusText(record->Status);
        content.R2 += formatValue(sources, record->Activity);
        content.R4 += formatValue(sources, record->MarginalValue);
    } else if (libRow) {
        content.R2 += formatValue(sources, libRow.activity());
        content.R4 += formatValue(sources, libRow.dualValue());
    }
}

void setRowLines(const DetailSources& sources, const CRow& row, SignCount signs,
                 DetailContent& content) {
    content.L1 = "Row Type: " + rowTypeText(row.type());
    content.L2 = "RHS Value: ";
    if (const CRowValue* rhs = sources.model.rhs.find(CRowValue(row.cName(), 0.0f))) {
        content.L2 += formatValue(sources, rhs->value());
        // The RHS sits on the other side of the relation, so it counts with opposite sign.
        if (rhs->value() > 0) signs.negative = true;
        if (rhs->value() < 0) signs.positive = true;
    }
    if (!signs.negative)
        content.warning = "Warning: Row has no NEGATIVE entries.";
    else if (!signs.positive)
        content.warning = "Warning: Row has no POSITIVE entries.";
    else
        content.warning.clear();
    content.L3 = "Range Value: ";
    if (const CRowValue* range = sources.model.ranges.find(CRowValue(row.cName(), 0.0f)))
        content.L3 += formatValue(sources, range->value());
}

}  // namespace

void BuildRowDisplay(const DetailSources& sources, std::optional<std::size_t> rowPosition,
                     DetailContent& content) {
    content.headers = detailHeaders(true);
    content.rowDisplay = true;
    content.format = sources.format;
    if (!rowPosition) {
        setEmptyRowLines(content);
        return;
    }
    const CRow& row = sources.model.rows.at(*rowPosition);
    content.entries.clear();
    content.notes.clear();
    if (sources.library == nullptr) return;
    content.notes = RowNotes(sources.library, row.name(), sources.format);

    const orbxmps::ORBRow libRow = sources.library->getRowManager()->findRow(row.name());
    SignCount signs;
    const NonlinearPart nonlinear = collectNonlinearTerms(sources, libRow, signs);
    ActivitySource activities(sources);
    collectEntries(sources, *rowPosition, nonlinear, signs, activities, content.entries);
    // Both the index and the walk list a row's columns in column-array order.
    const bool inNameOrder = sources.model.columns.comparator() == &CompareCols;
    sortEntries(content.entries, sources.sortKey, true, inNameOrder, content.sortScratch);
    setRowLines(sources, row, signs, content);
    setSolutionLines(sources, row, libRow, content);
    content.R3 = "Row Activity Sum: ";
    if (nonlinear.termCount == 0) content.R3 += formatValue(sources, activities.activitySum());
}
