#pragma once

#include <string>

#include "ILoomConnection.h"
#include "IUserInterface.h"
#include "MatrixModel.h"
#include "PrimalLists.h"

// Reads the case loaded in the modelling server's process processName into model and primal
// (both expected empty). connector may be null when this program has no way to reach a server.
// False when the load failed; the user has been told why, and the arrays keep what was read.
bool LoadLoomCase(ILoomConnector* connector, const std::string& processName, MatrixModel& model,
                  PrimalLists& primal, IUserInterface& ui);
