#pragma once

#include "MpsParseState.h"

namespace orbxmps {

// One function per MPS section. A header function reads the header in state.line and returns
// the section it opens; a data function consumes the section's data lines and returns at the
// next header (left in state.line) or at the end of the file. All throw MpsContentError.

MpsSection processHeaderLine(MpsParseState& state);
void processNameSection(MpsParseState& state);
void processObjsenseSection(MpsParseState& state);
void processObjNameSection(MpsParseState& state);
void processSkippedSection(MpsParseState& state);
void processRowsSection(MpsParseState& state);
void processColumnsSection(MpsParseState& state);
// Closes the column list (the last columnStart entry); runs once, COLUMNS section or not.
void finishColumns(MpsParseState& state);
void processRhsSection(MpsParseState& state);
void processRangesSection(MpsParseState& state);
void processBoundsSection(MpsParseState& state);
// QUADOBJ, QMATRIX and QCMATRIX; the header has set state.quadraticRow.
void processQuadraticSection(MpsParseState& state, MpsSection section);
void processSosSection(MpsParseState& state);
// CSECTION: openCone() reads the header's rest (name, [parameter], type).
void openCone(MpsParseState& state, std::string_view rest);
void processConeSection(MpsParseState& state);
void processIndicatorsSection(MpsParseState& state);

}  // namespace orbxmps
