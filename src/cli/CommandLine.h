#pragma once

#include <string>

// One request to the data-table layer (--table).
struct TableRequestArguments {
    std::string name;  // the table, or the DBF file's path for kind 7
    int kind = -1;
    std::string connect;
    std::string keys;
    std::string values;
    std::string columns;
    bool columnsGiven = false;
};

enum class InspectCommand {
    kNone,
    kHelp,
    kDump,
    kStats,
    kWriteOrb,
    kTable,
    kRow,
    kCol,
};

// What the command line asked for; error is set (and the command kNone) when it is unusable.
struct CommandLine {
    InspectCommand command = InspectCommand::kNone;
    std::string matrixPath;
    std::string solutionPath;  // empty: no solution file
    std::string orbOutputPath;
    TableRequestArguments table;
    std::string detailName;  // the row (--row) or column (--col) to list
    int decimals = 5;
    bool scientific = false;
    std::string error;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

extern const char* const kInspectUsage;
