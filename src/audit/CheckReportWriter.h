#pragma once

#include <string>

#include "SolutionCheck.h"

// The check report for people (one count line per kind, the largest findings under it) and
// for programs (JSON, shape in the README). matrix names the checked file.
std::string checkReportText(const CheckReport& report, const std::string& matrix);
std::string checkReportJson(const CheckReport& report, const std::string& matrix);

// What the two values of a finding of kind are, for headings: "reported"/"recomputed" ...
const char* checkValueLabel(CheckKind kind, bool second);
