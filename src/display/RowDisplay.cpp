#include "RowDisplay.h"

#include <optional>
#include <span>
#include <string>
#include <utility>

#include "ColumnActivities.h"
#include "Comparators.h"
#include "DetailEntries.h"
#include "ModelNotes.h"
#include "RowEntries.h"

namespace {

// The sign test: a row whose entries (and opposite-signed RHS) all lean one way is suspect.
struct SignCount {
    bool positive = false;
    bool negative = false;
    void count(double value) { (value < 0 ? negative : positive) = true; }
};

struct NonlinearPart {
    RowEntries::TermOfColumn termOfColumn;
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

// The sign test over the coefficients, which ends once both signs are seen.
void countSigns(std::span<const RowCoefficient> coefficients, SignCount& signs) {
    for (const RowCoefficient& coefficient : coefficients) {
        signs.count(coefficient.value);
        if (signs.positive && signs.negative) return;
    }
}

// The row's coefficients from the index, or, without one, from the densest rows' lists (a
// list under way is waited for: it comes sooner than a walk of the row's own) or a walk over
// every non-zero; the entries are made from them when asked for.
void assignEntries(const DetailSources& sources, std::size_t row, NonlinearPart nonlinear,
                   const ColumnActivities& activities, RowEntries& entries) {
    const orbxmps::PodVector<RowCoefficient>* listed =
        sources.rowIndex == nullptr && sources.denseRows != nullptr
            ? sources.denseRows->listOfRow(row, true)
            : nullptr;
    if (sources.rowIndex != nullptr)
        entries.assign(sources.model, sources.rowIndex->coefficientsOfRow(row),
                       std::move(nonlinear.termOfColumn), activities, sources.nameLengths);
    else if (listed != nullptr)
        entries.assign(sources.model, std::span<const RowCoefficient>(*listed),
                       std::move(nonlinear.termOfColumn), activities, sources.nameLengths);
    else
        entries.assign(sources.model,
                       walkRowCoefficients(sources.model, sources.model.rows[row].cName(),
                                           RowIndex::kSecondThreadFrom, nullptr, sources.rowTags),
                       std::move(nonlinear.termOfColumn), activities, sources.nameLengths);
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
    content.rowEntries.clear();
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
    content.rowEntries.clear();
    content.notes.clear();
    if (sources.library == nullptr) return;
    content.notes = RowNotes(sources.library, row.name(), sources.format);

    const orbxmps::ORBRow libRow = sources.library->getRowManager()->findRow(row.name());
    SignCount signs;
    NonlinearPart nonlinear = collectNonlinearTerms(sources, libRow, signs);
    const int termCount = nonlinear.termCount;
    const ColumnActivities activities(sources);
    RowEntries& entries = content.rowEntries;
    assignEntries(sources, *rowPosition, std::move(nonlinear), activities, entries);
    countSigns(entries.coefficients(), signs);
    // Both the index and the walk list a row's columns in column-array order.
    const bool inNameOrder = sources.model.columns.comparator() == &CompareCols;
    entries.arrange(sources.sortKey, inNameOrder, sources.format, content.sortScratch);
    setRowLines(sources, row, signs, content);
    setSolutionLines(sources, row, libRow, content);
    content.R3 = "Row Activity Sum: ";
    if (termCount == 0) {
        const RowEntries::Summary* summary = entries.summarized();
        const float sum = summary != nullptr
                              ? summary->productSum
                              : activities.productSum(sources.model, entries.coefficients());
        content.R3 += formatValue(sources, sum);
    }
}
