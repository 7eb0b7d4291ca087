#pragma once

#include <cstdio>
#include <string>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "HeadlessUserInterface.h"

// Opens path in the document as the desktop program's commands do: a matrix as File Open does
// (open-as-solution flag cleared), a KNLP solution file as Open Solution does (flag set). ui
// is the document's. On failure the document has shown its message; this adds the error log
// that the message points to, and a closing line naming the file, all to err.
bool openMatrixFile(CNorvaDoc& doc, AppFlags& flags, const HeadlessUserInterface& ui,
                    const std::string& path, std::FILE* err);
bool openSolutionFile(CNorvaDoc& doc, AppFlags& flags, const HeadlessUserInterface& ui,
                      const std::string& path, std::FILE* err);
