#pragma once

#include <string>
#include <vector>

#include "AutomationMembers.h"

// One step of a norva-automate session: read a property, write one, or call a method with
// its arguments already checked against the member's types.
struct AutomateCommand {
    enum class Kind { kGet, kSet, kCall };
    Kind kind = Kind::kGet;
    const AutomationMember* member = nullptr;
    // Text of each value; booleans already checked to be "true" or "false".
    std::vector<std::string> values;
};

struct AutomateRequest {
    std::string attachTo;  // empty: start a new instance
    bool printName = false;
    std::vector<AutomateCommand> commands;
    std::string error;  // non-empty: the command line is wrong, nothing was run
};

// arguments without the program name. Member names are matched without regard to case and
// stored by their table entry, so the calls use the exact names.
AutomateRequest parseAutomateArguments(const std::vector<std::string>& arguments);

inline constexpr const char* kAutomateUsage =
    "usage: norva-automate [--attach BUSNAME] [--print-name] COMMAND...\n"
    "  COMMAND: get PROPERTY | set PROPERTY VALUE | call METHOD ARG...\n"
    "  booleans are true or false; a new instance is started unless --attach names one\n";
