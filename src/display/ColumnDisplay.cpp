#include "ColumnDisplay.h"

#include <string>
#include <vector>

#include "DetailEntries.h"
#include "EntrySort.h"
#include "ModelNotes.h"

namespace {

std::string formatValue(const DetailSources& sources, double value) {
    return formatNumber(value, sources.format);
}

orbxmps::ORBRow libraryRow(const DetailSources& sources, std::string_view name) {
    if (sources.library == nullptr) return {};
    return sources.library->getRowManager()->findRow(name);
}

// Looks the row's Pi up in the solution records first, then in the library (whose dual
// values are 0 when it holds no solution); the product and the running sum are 32-bit floats.
void attachPi(const DetailSources& sources, float coefficient, const orbxmps::ORBRow& libRow,
              CNorvaRow& entry, float& piSum) {
    double pi = 0.0;
    if (const CPrimalRow* record = sources.primal.FindPrimalRow(entry.name))
        pi = record->MarginalValue;
    else if (libRow)
        pi = libRow.dualValue();
    else
        return;
    const float product = static_cast<float>(pi) * coefficient;
    entry.counterpartValue = pi;
    entry.calculatedValue = product;
    piSum += product;
}

void setSolutionLines(const DetailSources& sources, const CCol& column, float piSum,
                      DetailContent& content) {
    const CPrimalCol* record = sources.primal.FindPrimalColumn(column.name());
    orbxmps::ORBColumn libColumn;
    if (record == nullptr && sources.library != nullptr)
        libColumn = sources.library->getColumnManager()->findColumn(column.name());
    content.L3 = "Column Price: ";
    content.R1 = "Column Status: ";
    content.R2 = "Column Activity: ";
    content.R4 = "Column Dj: ";
    if (record != nullptr) {
        content.L3 += formatValue(sources, record->Cost);
        content.R1 += statusText(record->Status);
        content.R2 += formatValue(sources, record->Activity);
        content.R4 += formatValue(sources, record->MarginalValue);
    } else if (libColumn) {
        content.R2 += formatValue(sources, libColumn.activity());
        content.R4 += formatValue(sources, libColumn.reducedCost());
    }
    content.R3 = "Pi Coefficient Sum: " + formatValue(sources, piSum);
}

void setBoundLines(const DetailSources& sources, const CCol& column, DetailContent& content) {
    const auto bound = [&](int kind) {
        return sources.model.bounds.find(CBound(column.cName(), 0.0f, kind));
    };
    content.L1.clear();
    content.L2.clear();
    if (bound(kBoundFree) != nullptr) {
        content.L1 = "Type: Free Column";
    } else if (const CBound* fixed = bound(kBoundFixed)) {
        content.L1 = "Fixed Bound: " + formatValue(sources, fixed->value());
    } else {
        content.L1 = "Lower Bound: ";
        if (const CBound* lower = bound(kBoundLower))
            content.L1 += formatValue(sources, lower->value());
        content.L2 = "Upper Bound: ";
        if (const CBound* upper = bound(kBoundUpper))
            content.L2 += formatValue(sources, upper->value());
    }
}

}  // namespace

void BuildColumnDisplay(const DetailSources& sources, std::optional<std::size_t> columnPosition,
                        DetailContent& content) {
    content.headers = detailHeaders(false);
    content.rowDisplay = false;
    content.format = sources.format;
    content.L3.clear();
    content.R1.clear();
    content.R2.clear();
    content.R4.clear();
    content.R3.clear();
    content.notes.clear();
    content.rowEntries.clear();
    if (!columnPosition) {
        content.entries.clear();
        content.L1 = "Row Type: ";
        content.L2 = "RHS Value: ";
        content.L3 = "Range Value: ";
        return;
    }
    const CCol& column = sources.model.columns.at(*columnPosition);
    std::vector<CNorvaRow>& entries = content.entries;
    entries.clear();
    entries.reserve(column.coefficientCount());
    float piSum = 0.0f;
    for (std::size_t i = 0; i < column.coefficientCount(); ++i) {
        const CRowValue coefficient = sources.model.entries.coefficient(column, i);
        CNorvaRow& entry = entries.emplace_back();
        entry.name = coefficient.name();
        entry.coefficient = coefficient.value();
        const orbxmps::ORBRow libRow = libraryRow(sources, entry.name);
        entry.linearityMark = libRow && libRow.nonlinearTermCount() > 0 ? 'N' : 'L';
        attachPi(sources, coefficient.value(), libRow, entry, piSum);
    }
    sortEntries(entries, sources.sortKey, false, false, content.sortScratch);
    setSolutionLines(sources, column, piSum, content);
    setBoundLines(sources, column, content);
    content.notes = ColumnNotes(sources.library, column.name(), sources.format);
}
