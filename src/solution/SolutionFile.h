#pragma once

#include <string>

#include "IUserInterface.h"
#include "PrimalLists.h"
#include "orbxmps.h"

// Reads a KNLP solution file into the matrix object's column values. False, after a message,
// when there is no matrix object or the file cannot be opened.
bool ReadSolutionFile(orbxmps::ORBObject* object, const std::string& path, IUserInterface& ui);

// Fill the primal lists from the matrix object's solution, in the library's order; run them
// before the lists are sorted (column costs are placed by library column position).
bool LoadPrimalColumnsFromLibrary(orbxmps::ORBObject& object, PrimalLists& lists);
bool LoadPrimalRowsFromLibrary(orbxmps::ORBObject& object, PrimalLists& lists);
