#pragma once

#include "MpsParseState.h"

namespace orbxmps {

// Reads the whole file in one format into state.store (already empty) and completes the
// store: column starts, row order, name indexes. Throws MpsContentError.
void parseMps(MpsParseState& state);

}  // namespace orbxmps
