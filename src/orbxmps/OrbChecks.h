#pragma once

#include <string>

#include "MatrixStore.h"
#include "OrbFormat.h"

namespace orbxmps::orb {

// Checks of a loaded ORB payload that its checksum cannot give: that the writer's arrays fit
// together before anything indexes through them. Each returns what is wrong, in words for the
// damage message, or an empty string when all is well. Positions in messages are 1-based.

std::string dimensionsDamage(const Dimensions& dimensions);

// kind is "row" or "column".
std::string nameBlockDamage(const char* kind, const PodVector<char>& characters,
                            const PodVector<NameOffset>& offsets);

// Everything but the names, which the store does not hold yet.
std::string matrixDamage(const Dimensions& dimensions, const MatrixStore& store);

}  // namespace orbxmps::orb
