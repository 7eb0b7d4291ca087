#include "ModelNotes.h"

namespace {

using orbxmps::MatrixExtensions;
using orbxmps::MatrixStore;

std::string quotedName(std::string_view name) { return "'" + std::string(name) + "'"; }

void addIndicatorNotes(const MatrixStore& store, std::uint32_t position, bool ofRow,
                       std::vector<std::string>& notes) {
    for (const orbxmps::Indicator& indicator : store.extensions.indicators) {
        const std::string when = " = " + std::to_string(indicator.value);
        if (ofRow && indicator.row == position)
            notes.push_back("Indicator: applies when " +
                            quotedName(store.columnNames.name(indicator.column)) + when);
        if (!ofRow && indicator.column == position)
            notes.push_back("Indicator of row " + quotedName(store.rowNames.name(indicator.row)) +
                            ": applies when" + when);
    }
}

void addSetNotes(const MatrixStore& store, std::uint32_t column, const NumberFormatOptions& format,
                 std::vector<std::string>& notes) {
    const MatrixExtensions& ext = store.extensions;
    for (std::size_t s = 0; s < ext.sets.size(); ++s)
        for (std::size_t m = ext.sets[s].firstMember; m < ext.setMemberEnd(s); ++m)
            if (ext.setMemberColumn[m] == column)
                notes.push_back("SOS: S" + std::to_string(ext.sets[s].type) + " set " +
                                quotedName(ext.sets[s].name) + ", weight " +
                                formatNumber(ext.setMemberWeight[m], format));
}

void addConeNotes(const MatrixStore& store, std::uint32_t column, std::vector<std::string>& notes) {
    const MatrixExtensions& ext = store.extensions;
    for (std::size_t c = 0; c < ext.cones.size(); ++c)
        for (std::size_t m = ext.cones[c].firstMember; m < ext.coneMemberEnd(c); ++m)
            if (ext.coneMemberColumn[m] == column)
                notes.push_back("Cone: " + ext.cones[c].type + " cone " +
                                quotedName(ext.cones[c].name));
}

}  // namespace

std::vector<std::string> RowNotes(const orbxmps::ORBObject* library, std::string_view rowName,
                                  const NumberFormatOptions& format) {
    std::vector<std::string> notes;
    if (library == nullptr) return notes;
    const MatrixStore& store = library->store();
    const std::int64_t found = store.findRow(rowName);
    if (found < 0) return notes;
    const auto position = static_cast<std::uint32_t>(found);
    if (store.objectiveRow == static_cast<std::int64_t>(position)) {
        notes.emplace_back(store.maximise ? "Objective: maximise" : "Objective: minimise");
        // Solvers read the objective's RHS as minus its constant.
        if (store.rhs[position] != 0.0)
            notes.push_back("Objective Constant: " + formatNumber(0.0 - store.rhs[position], format));
    }
    addIndicatorNotes(store, position, true, notes);
    return notes;
}

std::vector<std::string> ColumnNotes(const orbxmps::ORBObject* library,
                                     std::string_view columnName,
                                     const NumberFormatOptions& format) {
    std::vector<std::string> notes;
    if (library == nullptr) return notes;
    const MatrixStore& store = library->store();
    const std::int64_t found = store.findColumn(columnName);
    if (found < 0) return notes;
    const auto position = static_cast<std::uint32_t>(found);
    const std::uint8_t flags = store.columnFlags[position];
    if ((flags & orbxmps::kColumnSemiContinuous) != 0)
        notes.emplace_back((flags & orbxmps::kColumnInteger) != 0 ? "Type: Semi-integer"
                                                                   : "Type: Semi-continuous");
    addSetNotes(store, position, format, notes);
    addConeNotes(store, position, notes);
    addIndicatorNotes(store, position, false, notes);
    return notes;
}
