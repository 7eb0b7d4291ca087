#pragma once

#include <string>

#include "ModelCompare.h"

// The compare report for people (the kinds that differ, each with its largest findings) and
// for programs (JSON, every kind, shape in the README). a and b name the compared files.
std::string compareReportText(const CompareReport& report, const std::string& a,
                              const std::string& b);
std::string compareReportJson(const CompareReport& report, const std::string& a,
                              const std::string& b);

// One finding as a line of text: "X01 in R09: 1 -> 1.5 (by 0.5)", "R99", "L -> G", ...
std::string compareFindingText(CompareKind kind, const Finding& finding);

// The kind names of row findings (as opposed to column findings), for showing a finding.
bool compareKindIsRow(CompareKind kind);
