#pragma once

#include <string>

class InstallLayout;

// The command line's forms, shown after a usage error and at the head of --help.
extern const char* const kAppSynopsis;

// What --help prints: the forms, one paragraph per option, and where this program finds its
// help pages and examples.
std::string appUsageText(const InstallLayout& layout);
