#include "MpsNumber.h"
#include "MpsSections.h"

namespace orbxmps {

namespace {

// These sections come from free-format writers; names never hold blanks there, so their
// lines are split on blanks in either format.
void splitFree(MpsParseState& state, std::string_view sectionName) {
    splitMpsFields(state.line, MpsFormat::kFree, false, state.fields);
    if (state.fields.tooMany) state.failLayout(sectionName);
}

std::int64_t knownColumn(MpsParseState& state, std::string_view name,
                         std::string_view sectionName) {
    const std::int64_t column =
        MpsParseState::findNext(state.store.columnNames, name, state.lastColumn);
    if (column < 0)
        state.warn(MpsParseState::quoted("unknown column", name) + " in " +
                   std::string(sectionName) + " section: skipped");
    return column;
}

// The SOS section and the column markers both open sets here, so an unnamed set is named alike.
SpecialOrderedSet& appendSet(MatrixExtensions& extensions, std::string_view typeField,
                             std::string_view name) {
    SpecialOrderedSet set;
    set.type = typeField == "S2" ? 2 : 1;
    set.name.assign(name);
    if (set.name.empty()) set.name = "SOS" + std::to_string(extensions.sets.size() + 1);
    set.firstMember = static_cast<std::uint32_t>(extensions.setMemberColumn.size());
    extensions.sets.push_back(std::move(set));
    return extensions.sets.back();
}

bool isSetType(std::string_view field) { return field == "S1" || field == "S2"; }

// "S1 [SOS] [name [priority]]" opens a set. A member line that happens to name a column S1
// or S2 is told apart by what follows it.
bool isSetHeader(const MpsParseState& state) {
    const MpsFields& fields = state.fields;
    if (!isSetType(fields[0])) return false;
    if (fields.count == 1 || fields[1] == "SOS") return true;
    return state.store.columnNames.find(fields[0]) < 0;
}

void openSet(MpsParseState& state) {
    const MpsFields& fields = state.fields;
    int next = fields.count > 1 && fields[1] == "SOS" ? 2 : 1;
    const std::string_view name = next < fields.count ? fields[next++] : std::string_view();
    const bool hasPriority = next < fields.count;
    const double priority = hasPriority ? state.number(fields[next++]) : 0.0;
    if (next < fields.count) state.fail("expected S1 or S2, [SOS], [name] and [priority]");
    SpecialOrderedSet& set = appendSet(state.store.extensions, fields[0], name);
    set.hasPriority = hasPriority;
    if (hasPriority) set.priority = priority;
}

// "[set] column[:weight] [weight]"; without a weight a member weighs its position.
void addSetMember(MpsParseState& state) {
    const MpsFields& fields = state.fields;
    MatrixExtensions& extensions = state.store.extensions;
    if (extensions.sets.empty()) state.fail("SOS member before the first set");
    std::string_view member = fields[0];
    std::string_view weightText;
    if (fields.count == 3) {
        member = fields[1];
        weightText = fields[2];
    } else if (fields.count == 2) {
        // "set column[:weight]" when it starts with the set's name, else "column weight"
        if (fields[0] == extensions.sets.back().name)
            member = fields[1];
        else
            weightText = fields[1];
    } else if (fields.count != 1) {
        state.fail("expected [set] column [weight] in SOS section");
    }
    const std::size_t colon = member.find(':');
    if (colon != std::string_view::npos && weightText.empty() &&
        state.store.columnNames.find(member) < 0) {
        weightText = member.substr(colon + 1);
        member = member.substr(0, colon);
    }
    const std::size_t position =
        extensions.setMemberColumn.size() - extensions.sets.back().firstMember;
    const double weight =
        weightText.empty() ? static_cast<double>(position + 1) : state.number(weightText);
    const std::int64_t column = knownColumn(state, member, "SOS");
    if (column < 0) return;
    extensions.setMemberColumn.push_back(static_cast<std::uint32_t>(column));
    extensions.setMemberWeight.push_back(weight);
}

}  // namespace

void processSosSection(MpsParseState& state) {
    while (state.nextDataLine()) {
        splitFree(state, "SOS");
        if (isSetHeader(state))
            openSet(state);
        else
            addSetMember(state);
    }
}

// The header "CSECTION name [parameter] type" has opened the cone; its lines name members.
void processConeSection(MpsParseState& state) {
    MatrixExtensions& extensions = state.store.extensions;
    while (state.nextDataLine()) {
        splitFree(state, "CSECTION");
        if (state.fields.count != 1) state.fail("expected one column name in CSECTION section");
        const std::int64_t column = knownColumn(state, state.fields[0], "CSECTION");
        if (column >= 0) extensions.coneMemberColumn.push_back(static_cast<std::uint32_t>(column));
    }
}

// "IF row column value": the row holds only while the column takes the value (0 or 1).
void processIndicatorsSection(MpsParseState& state) {
    MatrixStore& store = state.store;
    while (state.nextDataLine()) {
        splitFree(state, "INDICATORS");
        const MpsFields& fields = state.fields;
        if (fields.count != 4 || fields[0] != "IF")
            state.fail("expected IF, row, column and value (0 or 1) in INDICATORS section");
        const double value = state.number(fields[3]);
        if (value != 0.0 && value != 1.0) state.fail("indicator value must be 0 or 1");
        const std::int64_t row = MpsParseState::findNext(store.rowNames, fields[1], state.lastRow);
        if (row < 0) {
            state.warn(MpsParseState::quoted("unknown row", fields[1]) +
                       " in INDICATORS section: skipped");
            continue;
        }
        const std::int64_t column = knownColumn(state, fields[2], "INDICATORS");
        if (column < 0) continue;
        store.extensions.indicators.push_back({static_cast<std::uint32_t>(row),
                                               static_cast<std::uint32_t>(column),
                                               static_cast<std::uint8_t>(value)});
    }
}

void openCone(MpsParseState& state, std::string_view rest) {
    MpsFields fields;
    splitMpsFields(rest, MpsFormat::kFree, false, fields);
    if (fields.count < 2 || fields.count > 3)
        state.fail("expected CSECTION name, [parameter] and cone type");
    MatrixExtensions& extensions = state.store.extensions;
    Cone cone;
    cone.name.assign(fields[0]);
    if (fields.count == 3) {
        cone.hasParameter = true;
        cone.parameter = state.number(fields[1]);
    }
    cone.type.assign(fields[fields.count - 1]);
    cone.firstMember = static_cast<std::uint32_t>(extensions.coneMemberColumn.size());
    extensions.cones.push_back(std::move(cone));
}

void MpsParseState::beginMarkedSet(std::string_view typeField, std::string_view name) {
    appendSet(store.extensions, typeField, name);
    sosMarker = true;
}

void MpsParseState::addMarkedSetMember(std::uint32_t column) {
    MatrixExtensions& extensions = store.extensions;
    const std::size_t position = extensions.setMemberColumn.size() - extensions.sets.back().firstMember;
    extensions.setMemberColumn.push_back(column);
    extensions.setMemberWeight.push_back(static_cast<double>(position + 1));
}

}  // namespace orbxmps
