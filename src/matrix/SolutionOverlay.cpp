#include "SolutionOverlay.h"

#include <cstdlib>

#include "AsciiCase.h"

namespace {

// The connect string's format, "...;DBQ=%s", with the path in place of %s.
constexpr const char* kAccessConnectPrefix =
    "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=";

void clearTableNames(AutomationProperties& properties) {
    properties.strRunIdTable.clear();
    properties.strPrimalColTable.clear();
    properties.strPrimalRowTable.clear();
}

bool hasResultsPrefix(const std::string& fileName) {
    return startsWithIgnoreAsciiCase(fileName, "MPSBCD") ||
           startsWithIgnoreAsciiCase(fileName, "EXTENDEDTAGMPSBCD");
}

// Points the properties at the results database of a results-named matrix.
void chooseResultsDatabase(const OpenPath& parts, AutomationProperties& properties,
                           const DatabaseSettings& settings) {
    if (equalsIgnoreAsciiCase(settings.DatabaseType, "SqlServer")) {
        properties.strDatabaseConnection = settings.sqlServerConnectionString;
        properties.strDaoDatabase.clear();
        properties.strDaoConnect.clear();
        return;
    }
    // Decision: the Access file sits in the matrix file's own folder. Cutting the path in front
    // of the first occurrence of the file name would stop early in /data/run.mps.d/run.mps.
    const std::string databasePath = parts.folder + settings.AccessDatabaseName;
    properties.strDaoDatabase.clear();
    properties.strDatabaseConnection.clear();
    properties.strDaoConnect = kAccessConnectPrefix + databasePath;
}

bool openDatabase(IResultsDatabase* database, AutomationProperties& properties) {
    return database != nullptr && database->OpenResultsDatabase(properties);
}

// Returns false when a database open was attempted and failed.
bool selectDatabase(const OpenPath& parts, AutomationProperties& properties,
                    const DatabaseSettings& settings, IResultsDatabase* database) {
    if (properties.FromAutomationClient) {
        if (openDatabase(database, properties)) return true;
        clearTableNames(properties);
        return false;
    }
    if (properties.TARN && hasResultsPrefix(parts.fileName)) {
        chooseResultsDatabase(parts, properties, settings);
        if (!openDatabase(database, properties)) return false;
        properties.strRunIdTable = "PrSolution";
        properties.strPrimalColTable = "PrPrimalColumn";
        properties.strPrimalRowTable = "PrPrimalRow";
        return true;
    }
    // A matrix outside the results naming scheme has no result tables of its own.
    if (properties.TARN) clearTableNames(properties);
    return true;
}

int readSolution(const OpenPath& parts, const AutomationProperties& properties,
                 IResultsDatabase& database, PrimalLists& lists) {
    if (!properties.TARN) {
        database.ReadPlainPrimalColumns(properties, lists);
        database.ReadPlainPrimalRows(properties, lists);
        return 0;
    }
    if (!database.FindSolution(properties)) return 0;
    const int caseNumber = CaseNumberOfTitle(parts.fileTitle);
    if (caseNumber > 0) database.FindSolutionOfCase(properties, caseNumber);
    database.ReadPrimalColumns(properties, caseNumber, lists);
    database.ReadPrimalRows(properties, caseNumber, lists);
    return caseNumber;
}

}  // namespace

int CaseNumberOfTitle(const std::string& fileTitle) {
    const std::size_t start = fileTitle.size() > 3 ? fileTitle.size() - 3 : 0;
    return std::atoi(fileTitle.c_str() + start);
}

int AttachDatabaseSolution(const OpenPath& parts, AutomationProperties& properties,
                           const DatabaseSettings& settings, IResultsDatabase* database,
                           PrimalLists& lists) {
    // Decision: the case number is 0 here as well, so it never names the case of an earlier open.
    if (!properties.TARN && properties.strDaoDatabase.empty()) return 0;
    // Decision: after a failed open no reader runs, so the matrix stays without a solution
    // rather than asking a closed connection for one.
    if (!selectDatabase(parts, properties, settings, database) || database == nullptr) {
        if (database != nullptr) database->CloseIfOpen();
        return 0;
    }
    const int caseNumber = readSolution(parts, properties, *database, lists);
    database->CloseIfOpen();
    return caseNumber;
}
