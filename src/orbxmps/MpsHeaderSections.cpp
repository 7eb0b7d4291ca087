#include "MpsSections.h"
#include "ReadProgress.h"

namespace orbxmps {

namespace {

struct HeaderParts {
    std::string_view keyword;
    std::string_view rest;  // trimmed
};

HeaderParts splitHeader(std::string_view line) {
    const std::size_t end = line.find_first_of(" \t");
    if (end == std::string_view::npos) return {line, {}};
    return {line.substr(0, end), trimBlanks(line.substr(end))};
}

void applySense(MpsParseState& state, std::string_view sense) {
    if (state.senseGiven) state.fail("objective sense given twice");
    if (sense == "MAX" || sense == "MAXIMIZE") {
        state.store.maximise = true;
    } else if (sense == "MIN" || sense == "MINIMIZE") {
        state.store.maximise = false;
    } else {
        state.fail(MpsParseState::quoted("unknown objective sense", sense));
    }
    state.senseGiven = true;
}

// Sections some solvers write for what this model has no place for: branching priorities,
// piecewise-linear objectives, general constraints. Read past, with a warning.
bool isSkippedSection(std::string_view word) {
    for (const std::string_view skipped : {"BRANCH", "PWLOBJ", "PWLNAM", "PWLCON", "GENCONS"})
        if (word == skipped) return true;
    return false;
}

// OBJNAME may come before ROWS: the name is kept and resolved when the row is read.
void chooseObjective(MpsParseState& state, std::string_view name) {
    if (state.rowsRead) state.fail("OBJNAME after ROWS");
    state.objectiveName.assign(name);
}

MpsSection quadraticHeader(MpsParseState& state, MpsSection section, HeaderParts header) {
    // QSECTION names its row: the objective's block is written like QMATRIX, a constraint's
    // like QCMATRIX.
    if (header.keyword == "QSECTION" && !header.rest.empty()) {
        const std::int64_t row = state.store.rowNames.find(header.rest);
        if (row < 0 || row != state.store.objectiveRow) section = MpsSection::kQcMatrix;
    }
    if (section == MpsSection::kQcMatrix) {
        if (header.rest.empty()) state.fail("QCMATRIX section without a row name");
        const std::int64_t row = state.store.rowNames.find(header.rest);
        if (row < 0)
            state.fail(MpsParseState::quoted("unknown row", header.rest) + " in QCMATRIX header");
        state.quadraticRow = static_cast<std::uint32_t>(row);
        return section;
    }
    if (state.store.objectiveRow < 0)
        state.fail(std::string(header.keyword) + " section without an objective row");
    state.quadraticRow = static_cast<std::uint32_t>(state.store.objectiveRow);
    return section;
}

MpsSection orderedHeader(MpsParseState& state, MpsSection section) {
    if (section == MpsSection::kRows && (state.rowsRead || state.columnsStarted))
        state.fail("ROWS section after ROWS or COLUMNS");
    if (section == MpsSection::kColumns && state.columnsStarted)
        state.fail("second COLUMNS section");
    if (section != MpsSection::kColumns && state.columnsStarted) finishColumns(state);
    return section;
}

}  // namespace

MpsSection processHeaderLine(MpsParseState& state) {
    const HeaderParts header = splitHeader(state.line);
    const std::string_view word = header.keyword;
    noteReadSection(word);
    if (word == "COLUMNS") return orderedHeader(state, MpsSection::kColumns);
    if (word == "ROWS") return orderedHeader(state, MpsSection::kRows);
    if (word == "RHS") return orderedHeader(state, MpsSection::kRhs);
    if (word == "RANGES") return orderedHeader(state, MpsSection::kRanges);
    if (word == "BOUNDS") return orderedHeader(state, MpsSection::kBounds);
    if (word == "ENDATA") return orderedHeader(state, MpsSection::kEndata);
    if (word == "NAME") {
        state.store.problemName.assign(header.rest);
        return orderedHeader(state, MpsSection::kName);
    }
    if (word == "OBJSENSE") {
        if (!header.rest.empty()) applySense(state, header.rest);
        return orderedHeader(state, MpsSection::kObjsense);
    }
    if (word == "OBJNAME") {
        if (!header.rest.empty()) chooseObjective(state, header.rest);
        return orderedHeader(state, MpsSection::kObjName);
    }
    if (word == "QUADOBJ" || word == "QMATRIX" || word == "QCMATRIX" || word == "QSECTION") {
        orderedHeader(state, MpsSection::kQuadObj);
        const MpsSection section = word == "QUADOBJ"    ? MpsSection::kQuadObj
                                   : word == "QCMATRIX" ? MpsSection::kQcMatrix
                                                        : MpsSection::kQMatrix;
        return quadraticHeader(state, section, header);
    }
    if (word == "LAZYCONS" || word == "USERCUTS") {
        if (state.columnsStarted) state.fail(std::string(word) + " section after COLUMNS");
        state.warn(std::string(word) + " rows kept as ordinary rows");
        return orderedHeader(state, MpsSection::kExtraRows);
    }
    if (isSkippedSection(word)) return orderedHeader(state, MpsSection::kSkipped);
    if (word == "SOS") return orderedHeader(state, MpsSection::kSos);
    if (word == "INDICATORS") return orderedHeader(state, MpsSection::kIndicators);
    if (word == "CSECTION") {
        orderedHeader(state, MpsSection::kCones);
        openCone(state, header.rest);
        return MpsSection::kCones;
    }
    state.fail(MpsParseState::quoted("unknown section", word));
}

void processNameSection(MpsParseState& state) {
    if (state.nextDataLine()) state.fail("data line in NAME section");
}

void processObjsenseSection(MpsParseState& state) {
    while (state.nextDataLine()) applySense(state, trimBlanks(state.line));
}

void processSkippedSection(MpsParseState& state) {
    const std::string header(state.line.substr(0, 80));
    const std::uint64_t headerLine = state.lineNumber;
    std::uint64_t lines = 0;
    while (state.nextDataLine()) ++lines;
    state.store.warnings.add(contentMessage(
        state.path, headerLine,
        "section skipped with its " + std::to_string(lines) + " lines: the model has no place for it",
        header));
}

void processObjNameSection(MpsParseState& state) {
    while (state.nextDataLine()) chooseObjective(state, trimBlanks(state.line));
}

}  // namespace orbxmps
