#pragma once

#include "CNorvaDoc.h"
#include "PrimalListing.h"
#include "ResultsDatabase.h"
#include "SqlScripts.h"
#include "TempFolder.h"
#include "TextHolds.h"

namespace resultstest {

using testsupport::primalListing;
using testsupport::TempFolder;

// The bundled example: MPSBCD001.mps (netlib afiro) and its SQLite "Results.mdb".
inline std::string examplePath(const std::string& name) {
    return std::string(NORVA_TEST_DATA_DIR) + "/../../examples/" + name;
}

// Copies the example's matrix into folder under matrixName, and its results database as
// "Results.mdb" unless withDatabase is false; returns the matrix's path.
inline std::string copyExample(const TempFolder& folder, const std::string& matrixName,
                               bool withDatabase = true) {
    constexpr auto kOverwrite = std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy_file(examplePath("MPSBCD001.mps"), folder / matrixName, kOverwrite);
    if (withDatabase)
        std::filesystem::copy_file(examplePath("Results.mdb"), folder / "Results.mdb", kOverwrite);
    return folder / matrixName;
}

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
