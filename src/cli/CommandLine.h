#pragma once

#include <optional>
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

// --filter: the test (0 large coefficient, 1 small coefficient, 2 large ratio) and options.
struct FilterArguments {
    int test = 0;
    std::optional<double> threshold;  // none: the settings' default for the test
    bool allColumns = false;
};

// --find: the search text and the search settings; columns searches the column names.
struct FindArguments {
    std::string text;
    bool wholeWord = false;
    bool ignoreCase = false;
    bool up = false;
    bool columns = false;
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
    kFilter,
    kFind,
};

// What the command line asked for; error is set (and the command kNone) when it is unusable.
struct CommandLine {
    InspectCommand command = InspectCommand::kNone;
    std::string matrixPath;
    std::string solutionPath;  // empty: no solution file
    // --loom-process: the modelling-server process for a ".cas" FILE; none: the stored setting.
    std::optional<std::string> loomProcess;
    std::string orbOutputPath;
    TableRequestArguments table;
    std::string detailName;  // the row (--row) or column (--col) to list
    // The results database, as the options would set it; empty keeps the setting's default.
    std::string databaseType;    // --database-type: "Access" or "SqlServer"
    std::string accessDatabase;  // --access-database: file name beside the matrix
    std::string connection;      // --connection: the server's connection string
    int decimals = 5;
    bool scientific = false;
    FilterArguments filter;
    FindArguments find;
    std::string error;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

extern const char* const kInspectUsage;
