#pragma once

#include <optional>
#include <string>

#include "ISettingsStore.h"
#include "Tolerances.h"

// The check's and compare's tolerances in the program's profile, section "Options", as
// "%.15g" strings like the other floating-point options. A value that is absent, not a
// number or negative reads as the default.
Tolerances readTolerances(const ISettingsStore& store);
void writeTolerances(ISettingsStore& store, const Tolerances& tolerances);

// A tolerance as typed: a finite number of 0 or more; none otherwise.
std::optional<double> parseTolerance(const std::string& text);
