#pragma once

#include <string>

#include "MatrixStore.h"
#include "OrbFormat.h"

namespace orbxmps::orb {

// Checks of a loaded ORB payload that its checksum cannot give: that the writer's arrays fit
// together before anything indexes through them. Each returns what is wrong, in words for the
// damage message, or an empty string when all is well. Positions in messages are 1-based.

std::string dimensionsDamage(const Dimensions& dimensions);

// Whether the payload left after the dimensions can hold the sections they call for, each at
// its smallest (a name of one NUL); checked before anything is allocated for them.
std::string payloadShortfall(const Dimensions& dimensions, std::uint64_t remaining);

// kind is "row" or "column". Names may hold any byte but a control character (tab aside).
// Names laid out in name order are checked here for what keeps every name inside the block;
// that each starts where the one before it in the order ends is the order's check.
std::string nameBlockDamage(const char* kind, const PodVector<char>& characters,
                            const PodVector<NameOffset>& offsets, NameLayout layout);

// Everything but the names, which the store does not hold yet, in two parts that read
// different arrays and may run side by side; the matrix's damage is the first part's, else the
// second's. The arrays' structure:
std::string matrixStructureDamage(const Dimensions& dimensions, const MatrixStore& store);
// That every element names a row below rows; the model's build checks it too.
std::string elementRowDamage(const PodVector<std::uint32_t>& elementRows, std::uint64_t rows);
// The values as the MPS reader would accept them (finite coefficients, right-hand sides and
// ranges, bounds that are numbers); reads each array within its own size.
std::string matrixValueDamage(const MatrixStore& store);

}  // namespace orbxmps::orb
