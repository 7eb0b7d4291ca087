#pragma once

#include <string>

#include "ISettingsStore.h"

// The document's persisted options (profile section "Options"). The defaults are those of a
// profile with no stored values, the three name replacements already applied.
struct DocumentSettings {
    std::string LoomHostName;
    std::string LoomProcessName;
    std::string AccessDatabaseName = "Results.mdb";
    std::string DatabaseType = "Access";
    std::string DatabaseConnectionType = "OLE-DB";
    int Filter = 0;
    double LargeCoef = 1.0e7;
    double SmallCoef = 1.0e-7;
    double LargeRatio = 1.0e8;
    int ToleranceSel = 0;
    int ShowAllColumns = 0;
    int Decimals = 5;
    int AlwaysUseScientific = 0;
    int WholeWordSearch = 0;
    int SearchUp = 0;
    int IgnoreCase = 0;
    std::string Search;
};

inline constexpr const char* kOptionsSection = "Options";

// Reads every option in its fixed order; absent or mistyped values take their defaults, an
// empty database name, type or connection type its replacement, and a tolerance that does not
// parse reads as 0.
DocumentSettings readDocumentSettings(const ISettingsStore& store);

// Writes every option in the same order, tolerances as "%.15g" text.
void writeDocumentSettings(ISettingsStore& store, const DocumentSettings& settings);
