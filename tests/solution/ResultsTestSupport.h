#pragma once

#include <string>
#include <vector>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "Logging.h"
#include "PrimalListing.h"
#include "ResultsDatabase.h"
#include "SqlScripts.h"
#include "TempFolder.h"

namespace resultstest {

using testsupport::primalListing;
using testsupport::TempFolder;

// The bundled example: MPSBCD001.mps (netlib afiro) and its SQLite "Results.mdb".
std::string examplePath(const std::string& name);

// Copies the example's matrix into folder under matrixName, and its results database as
// "Results.mdb" unless withDatabase is false; returns the matrix's path.
std::string copyExample(const TempFolder& folder, const std::string& matrixName,
                        bool withDatabase = true);

using testsupport::executeStatements;
using testsupport::runSqlite;
using testsupport::scriptStatements;

// A document reading through a results database whose server log goes to logFolder.
struct DocumentWithDatabase {
    explicit DocumentWithDatabase(const std::string& logFolder)
        : database(ui, log, logFolder + "/"), doc(ui, flags, &database) {}

    RecordingUserInterface ui;
    AppFlags flags;
    Logging log;
    ResultsDatabase database;
    CNorvaDoc doc;
};

}  // namespace resultstest
