#pragma once

#include <string>
#include <vector>

#include "TempFolder.h"

using CliTempFolder = testsupport::TempFolder;

struct InspectRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs norva-inspect with arguments (no shell), capturing both streams through files in scratch.
InspectRun runInspect(const std::vector<std::string>& arguments, const CliTempFolder& scratch);
// The same for another copy of the program.
InspectRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const CliTempFolder& scratch);

std::string readWholeFile(const std::string& path);
std::vector<std::string> splitLines(const std::string& text);
