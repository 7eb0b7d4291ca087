#pragma once

// --check and --compare: true when the command line asks for one of them. They take their
// own options and exit like diff: 0 nothing beyond the tolerances, 1 something, 2 trouble.
bool isAuditCommand(int argc, const char* const* argv);
int runAuditCommand(int argc, const char* const* argv);

extern const char* const kAuditUsage;
