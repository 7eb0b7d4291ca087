#pragma once

#include "MpsParseState.h"

namespace orbxmps {

// Reads the whole file in one format into state.store (already empty): everything but the
// row order, which the caller builds once the reading buffers are gone. Throws
// MpsContentError.
void parseMps(MpsParseState& state);

}  // namespace orbxmps
