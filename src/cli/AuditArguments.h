#pragma once

#include <cstddef>
#include <string>

#include "Tolerances.h"

// The command line of --check FILE [--solution KNLP] or --compare A B [--solution-a KNLP]
// [--solution-b KNLP], with --json, --abs-tol, --rel-tol and --limit.
struct AuditArguments {
    bool compare = false;
    bool json = false;
    Tolerances tolerances;
    std::size_t limit = 20;
    std::string files[2];
    std::string solutions[2];
    std::string error;  // set when the command line is unusable
};

AuditArguments parseAuditArguments(int argc, const char* const* argv);
