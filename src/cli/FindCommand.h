#pragma once

#include <cstdio>

#include "CNorvaDoc.h"
#include "CommandLine.h"

// --find: with the first row name (or column name, with --columns) selected, presses Find
// Next (Find Previous with --up) until a press goes round the end of the list. Prints each
// name found on its own line, "Passed end of list" before the name the wrapping press found
// (the last line), or only "< Search text not found. >". Returns 0, or 1 when the output
// cannot be written.
int runFindCommand(CNorvaDoc& doc, const CommandLine& arguments, std::FILE* out, std::FILE* err);
