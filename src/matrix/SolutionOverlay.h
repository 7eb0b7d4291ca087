#pragma once

#include "AutomationProperties.h"
#include "DatabaseSettings.h"
#include "IResultsDatabase.h"
#include "OpenPath.h"
#include "PrimalLists.h"

// After a matrix open: decides from the automation properties and the file name whether and
// where a results database is to be read, points the properties at it and reads the solution
// into lists (unsorted). Returns the case number, 0 when no case was looked for. Nothing here
// fails the open: a database that cannot be opened, or none at all (null), means no solution.
int AttachDatabaseSolution(const OpenPath& parts, AutomationProperties& properties,
                           const DatabaseSettings& settings, IResultsDatabase* database,
                           PrimalLists& lists);

// The case a results-named matrix belongs to: atoi of the title's last three characters
// ("mpsbcd012" gives 12, non-digits give 0).
int CaseNumberOfTitle(const std::string& fileTitle);
