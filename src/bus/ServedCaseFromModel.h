#pragma once

#include <string>

#include "IUserInterface.h"
#include "ServedCase.h"

// The texts served in "TYPX" for a column's bounds (lower l, upper u), chosen so that a
// reader applying the case rules gets the model's kind-1 and kind-2 bounds back:
//   "PL"  l finite, u infinite:  lower served, upper served as 0
//   "UP"  l and u finite, u not 0 (or both 0): both served
//   "MI"  l infinite (served as 0), u finite; or u = 0 with l finite and not 0
//   "FR"  both infinite: both served as 0
// A column fixed at 0 is served as "UP" and so reads back with its kind-1 bound only.
// "SENX" serves "NR", "EQ", "LE" and "GE" for the row types N, E, L and G.
const char* BoundTypeText(double lower, double upper);
const char* RowTypeText(char type);

// Reads an MPS or ORB model, and the KNLP solution file when solutionPath is not empty, into
// the case tables. False, with the reason told to ui, when a file cannot be read.
bool ServedCaseFromModel(const std::string& modelPath, const std::string& solutionPath,
                         ServedCase& served, IUserInterface& ui);
