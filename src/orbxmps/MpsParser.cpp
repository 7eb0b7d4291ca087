#include "MpsParser.h"

#include "MpsSections.h"

namespace orbxmps {

namespace {

// Reads the first section header; false when the file holds nothing but comments.
bool firstHeader(MpsParseState& state) {
    if (state.nextDataLine()) state.fail("data line before the first section");
    return !state.atEnd;
}

void processSectionData(MpsParseState& state, MpsSection section) {
    switch (section) {
        case MpsSection::kName:
            processNameSection(state);
            break;
        case MpsSection::kObjsense:
            processObjsenseSection(state);
            break;
        case MpsSection::kSkipped:
            processSkippedSection(state);
            break;
        case MpsSection::kObjName:
            processObjNameSection(state);
            break;
        case MpsSection::kSos:
            processSosSection(state);
            break;
        case MpsSection::kCones:
            processConeSection(state);
            break;
        case MpsSection::kIndicators:
            processIndicatorsSection(state);
            break;
        case MpsSection::kRows:
        case MpsSection::kExtraRows:
            processRowsSection(state);
            break;
        case MpsSection::kColumns:
            processColumnsSection(state);
            break;
        case MpsSection::kRhs:
            processRhsSection(state);
            break;
        case MpsSection::kRanges:
            processRangesSection(state);
            break;
        case MpsSection::kBounds:
            processBoundsSection(state);
            break;
        case MpsSection::kQuadObj:
        case MpsSection::kQMatrix:
        case MpsSection::kQcMatrix:
            processQuadraticSection(state, section);
            break;
        case MpsSection::kNone:
        case MpsSection::kEndata:
            break;
    }
}

// Gives back the slack of the arrays that grew while reading.
void trimStore(MatrixStore& store) {
    store.elementRow.shrinkToFit();
    store.elementValue.shrinkToFit();
    store.columnStart.shrinkToFit();
    store.lower.shrinkToFit();
    store.upper.shrinkToFit();
    store.columnFlags.shrinkToFit();
    store.rowType.shrinkToFit();
    store.rhs.shrinkToFit();
    store.range.shrinkToFit();
    store.nonlinear.terms.shrinkToFit();
}

}  // namespace

void parseMps(MpsParseState& state) {
    if (!firstHeader(state)) state.fail("no MPS sections in the file");
    for (;;) {
        const MpsSection section = processHeaderLine(state);
        if (section == MpsSection::kEndata) break;
        processSectionData(state, section);
        if (state.atEnd) state.fail("file ends without ENDATA (truncated?)");
    }
    finishColumns(state);
    // Every name has been looked up: the hash indexes give their pages back before the reader
    // may sort one order while the thread sorts the other, the read's peak.
    state.store.releaseNameIndexes();
    state.nameOrders.finish();
    state.rowEntries.clear();
    trimStore(state.store);
}

}  // namespace orbxmps
