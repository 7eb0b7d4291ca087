#pragma once

#include <cstdio>

#include "CNorvaDoc.h"
#include "CommandLine.h"

// --filter: runs the coefficient filter over the opened document with the chosen test and
// threshold (the settings' default unless given) and prints the submatrix it builds as the
// Copy text of all its grid lines, with the default number format, and a closing line end.
// Returns 0, or 1 with a message on err when the document holds no matrix object or the
// output cannot be written.
int runFilterCommand(CNorvaDoc& doc, const CommandLine& arguments, std::FILE* out, std::FILE* err);
