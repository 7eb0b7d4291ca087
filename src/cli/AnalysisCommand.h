#pragma once

#include <cstdio>

// --scaling and --histogram, which take their own options and print the analyses of
// src/analysis; kept apart from the other commands' parsing.
bool isAnalysisCommand(int argc, const char* const* argv);

// Parses and runs one of them; returns the exit status (0 done, 1 the file could not be read
// or the output written, 2 bad usage).
int runAnalysisCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

extern const char* const kAnalysisUsage;
