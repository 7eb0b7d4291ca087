#pragma once

#include "AutomationProperties.h"

struct PrimalLists;

// The results database as the document's open uses it: open, find the solution (and case),
// read the primal tables, close. Each call reports success; none fails the open.
class IResultsDatabase {
public:
    virtual ~IResultsDatabase() = default;
    virtual bool OpenResultsDatabase(AutomationProperties& properties) = 0;
    virtual bool FindSolution(const AutomationProperties& properties) = 0;
    virtual bool FindSolutionOfCase(const AutomationProperties& properties, int caseNumber) = 0;
    // Only records of caseNumber (0 when the matrix names no case) are read.
    virtual bool ReadPrimalColumns(const AutomationProperties& properties, int caseNumber,
                                   PrimalLists& lists) = 0;
    virtual bool ReadPrimalRows(const AutomationProperties& properties, int caseNumber,
                                PrimalLists& lists) = 0;
    virtual bool ReadPlainPrimalColumns(const AutomationProperties& properties,
                                        PrimalLists& lists) = 0;
    virtual bool ReadPlainPrimalRows(const AutomationProperties& properties,
                                     PrimalLists& lists) = 0;
    // Closes whatever connection is open; does nothing when none is.
    virtual void CloseIfOpen() = 0;
};
