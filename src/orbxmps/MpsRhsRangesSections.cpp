#include "MpsNumber.h"
#include "MpsSections.h"

namespace orbxmps {

namespace {

struct RowValueSection {
    std::string_view name;  // for messages
    std::uint8_t givenFlag;
    PodVector<double> MatrixStore::*values;
};

void storeRowValue(MpsParseState& state, const RowValueSection& section, std::string_view rowName,
                   std::string_view valueText) {
    MatrixStore& store = state.store;
    const double value = state.modelValue(valueText);
    const std::int64_t row = MpsParseState::findNext(store.rowNames, rowName, state.lastRow);
    if (row < 0) {
        state.warn(MpsParseState::quoted("unknown row", rowName) + " in " +
                   std::string(section.name) + " section: entry skipped");
        return;
    }
    const auto position = static_cast<std::size_t>(row);
    // A range means nothing on a free row; the objective's RHS is its constant, kept.
    if (section.givenFlag == kRangeGiven && store.rowType[position] == kRowFree) {
        state.warn(MpsParseState::quoted("range on free row", rowName) + " skipped");
        return;
    }
    std::uint8_t& given = state.rowEntries[position];
    if ((given & section.givenFlag) != 0)
        state.warn("second " + std::string(section.name) + " entry for " +
                   MpsParseState::quoted("row", rowName) + ": the later value is kept");
    given |= section.givenFlag;
    (store.*section.values)[position] = value;
}

// Lines are "[set] row value [row value]": an odd field count means a set name is present
// (in fixed MPS the set field is always counted, blank or not).
void processRowValueSection(MpsParseState& state, const RowValueSection& section,
                            MpsSetChoice& setChoice) {
    state.rowEntries.resize(state.store.rowCount());
    while (state.nextDataLine()) {
        state.split(false, section.name);
        const MpsFields& fields = state.fields;
        if (fields.count < 2 || fields.count > 5)
            state.fail("expected [set] row value [row value] in " + std::string(section.name) +
                       " section");
        const int first = fields.count % 2;
        if (!setChoice.accepts(first == 1 ? fields[0] : std::string_view())) continue;
        storeRowValue(state, section, fields[first], fields[first + 1]);
        if (first + 2 < fields.count)
            storeRowValue(state, section, fields[first + 2], fields[first + 3]);
    }
}

}  // namespace

void processRhsSection(MpsParseState& state) {
    static const RowValueSection kRhs{"RHS", kRhsGiven, &MatrixStore::rhs};
    processRowValueSection(state, kRhs, state.rhsSet);
}

void processRangesSection(MpsParseState& state) {
    static const RowValueSection kRanges{"RANGES", kRangeGiven, &MatrixStore::range};
    processRowValueSection(state, kRanges, state.rangeSet);
}

}  // namespace orbxmps
