#pragma once

#include <cstdio>

#include "CNorvaDoc.h"
#include "CommandLine.h"

// --row / --col: prints the detail view's listing of the named row or column of the opened
// document, from its title line on, entries in name order, to out. Returns 0, or 1 with a
// message on err when the model has no such name or the output cannot be written.
int runDetailCommand(const CNorvaDoc& doc, const CommandLine& arguments, std::FILE* out,
                     std::FILE* err);
