#include "MpsSections.h"

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

}  // namespace

void processRowsSection(MpsParseState& state) {
    // Each new row misses the cache in the name index, at random: the slot of a row a few
    // lines on is fetched while this one is stored.
    constexpr std::size_t kPrefetchDistance = 8;
    MatrixStore& store = state.store;
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
        const auto [row, added] = store.rowNames.insert(fields[1], hash);
        if (!added) state.fail(MpsParseState::quoted("duplicate row", fields[1]));
        store.rowType.push_back(type);
        store.rhs.push_back(0.0);
        store.range.push_back(0.0);
        // Only the first free row is the objective; later ones stay as free rows.
        if (type == kRowFree && store.objectiveRow < 0) store.objectiveRow = row;
    }
}

}  // namespace orbxmps
