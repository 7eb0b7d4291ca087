#pragma once

#include <cstddef>
#include <vector>

#include "orbxmps.h"

// What the check needs from the matrix library object beside the model; a document without
// one (a modelling-server case) minimises and has no nonlinear terms.
bool objectiveMaximised(const orbxmps::ORBObject* object);
// By load-order row number, true for the rows with nonlinear terms.
std::vector<bool> nonlinearRowsOf(orbxmps::ORBObject* object, std::size_t rowCount);
