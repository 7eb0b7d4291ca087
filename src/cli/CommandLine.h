#pragma once

#include <string>

enum class InspectCommand {
    kNone,
    kHelp,
    kDump,
    kStats,
    kWriteOrb,
};

// What the command line asked for; error is set (and the command kNone) when it is unusable.
struct CommandLine {
    InspectCommand command = InspectCommand::kNone;
    std::string matrixPath;
    std::string solutionPath;  // empty: no solution file
    std::string orbOutputPath;
    std::string error;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

extern const char* const kInspectUsage;
