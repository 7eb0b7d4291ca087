#include <new>

#include "MpsSections.h"
#include "RowsSectionScan.h"

namespace orbxmps {

namespace {

bool rowTypeOf(std::string_view code, std::int16_t& type) {
    if (code.size() != 1) return false;
    switch (code[0]) {
        case 'N':
            type = kRowFree;
            return true;
        case 'E':
            type = kRowEqual;
            return true;
        case 'L':
            type = kRowLessEqual;
            return true;
        case 'G':
            type = kRowGreaterEqual;
            return true;
        default:
            return false;
    }
}

// The first rows section's rows, sized once by a count read ahead: growing the names' index
// and the arrays a doubling at a time took a third of the section's time. Only a hint, and
// dropped when the count is more than memory allows (a damaged file).
void reserveForRows(MpsParseState& state) {
    const std::size_t rows = countRowsSectionLines(state.feed.source());
    if (rows == 0 || rows >= kMaxCount) return;
    MatrixStore& store = state.store;
    try {
        store.rowNames.reserveIndex(rows);
        store.rowNames.reserve(rows, 0);
        store.rowType.reserve(rows);
        store.rhs.reserve(rows);
        store.range.reserve(rows);
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace

void processRowsSection(MpsParseState& state) {
    // Each new row misses the cache in the name index, at random: the slot of a row a few
    // lines on is fetched while this one is stored.
    constexpr std::size_t kPrefetchDistance = 8;
    MatrixStore& store = state.store;
    if (!state.rowsRead && store.rowCount() == 0) reserveForRows(state);
    state.rowsRead = true;
    while (state.nextDataLine()) {
        const MpsLineRecord* later = state.feed.peek(kPrefetchDistance);
        if (later != nullptr && later->rowsLine) store.rowNames.prefetch(later->hash[1]);
        state.split(true, "ROWS");
        const MpsFields& fields = state.fields;
        if (fields.count != 2 || fields[1].empty())
            state.fail("expected row type and row name in ROWS section");
        std::int16_t type = kRowFree;
        if (!rowTypeOf(fields[0], type))
            state.fail(MpsParseState::quoted("unknown row type", fields[0]));
        if (store.rowCount() >= kMaxCount) state.fail("too many rows");
        const std::uint64_t hash =
            state.record->rowsLine ? state.record->hash[1] : NameTable::hash(fields[1]);
        const auto [found, added] = store.rowNames.insert(fields[1], hash);
        const std::uint32_t row = added ? found : static_cast<std::uint32_t>(store.rowCount());
        if (!added) {
            // Both rows are kept; entries naming the name go to the first.
            store.rowNames.addRepeated(fields[1], hash);
            state.warn(MpsParseState::quoted("duplicate row", fields[1]) +
                       " kept as a second row");
        }
        store.rowType.push_back(type);
        store.rhs.push_back(0.0);
        store.range.push_back(0.0);
        // Only the first free row is the objective, or the one OBJNAME names; other free
        // rows stay as free rows.
        if (type == kRowFree && (state.objectiveName.empty() ? store.objectiveRow < 0
                                                              : fields[1] == state.objectiveName))
            store.objectiveRow = row;
    }
    if (!state.objectiveName.empty() && store.objectiveRow < 0) {
        state.warn(MpsParseState::quoted("OBJNAME names no free row", state.objectiveName) +
                   ": the first free row is the objective");
        for (std::size_t r = 0; r < store.rowCount() && store.objectiveRow < 0; ++r)
            if (store.rowType[r] == kRowFree) store.objectiveRow = static_cast<std::int64_t>(r);
    }
}

}  // namespace orbxmps
