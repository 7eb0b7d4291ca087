#include <gtest/gtest.h>

#include "MatrixTestSupport.h"
#include "SolutionOverlay.h"

namespace {

using matrixtest::RecordingResultsDatabase;
using Calls = std::vector<std::string>;

constexpr const char* kReadCase7[] = {
    "Open", "FindSolution", "FindSolutionOfCase 7", "ReadPrimalColumns", "ReadPrimalRows", "Close"};

class SolutionOverlayTest : public ::testing::Test {
protected:
    SolutionOverlayTest() {
        settings.AccessDatabaseName = "Results.mdb";
        settings.sqlServerConnectionString =
            "Provider=SQLOLEDB;Data Source=srv;Initial Catalog=res";
        properties.strRunIdTable = "OldRuns";
        properties.strPrimalColTable = "OldCols";
        properties.strPrimalRowTable = "OldRows";
    }

    int attach(const std::string& path, IResultsDatabase* db) {
        return AttachDatabaseSolution(SplitOpenPath(path), properties, settings, db, lists);
    }

    AutomationProperties properties;
    DatabaseSettings settings;
    RecordingResultsDatabase database;
    PrimalLists lists;
};

TEST_F(SolutionOverlayTest, ResultsNamedMatrixReadsItsCaseFromTheAccessFileBesideIt) {
    EXPECT_EQ(attach("/data/mpsbcd007.mps", &database), 7);
    EXPECT_EQ(database.calls, Calls(std::begin(kReadCase7), std::end(kReadCase7)));
    EXPECT_EQ(database.atOpen.strDaoConnect,
              "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=/data/Results.mdb");
    EXPECT_EQ(database.atOpen.strDaoDatabase, "");
    EXPECT_EQ(database.atOpen.strDatabaseConnection, "");
    EXPECT_EQ(database.atFirstReader.strRunIdTable, "PrSolution");
    EXPECT_EQ(database.atFirstReader.strPrimalColTable, "PrPrimalColumn");
    EXPECT_EQ(database.atFirstReader.strPrimalRowTable, "PrPrimalRow");
    EXPECT_EQ(database.readerCases, (std::vector<int>{7, 7}));
    EXPECT_EQ(lists.columns.size(), 2u);
    EXPECT_EQ(lists.rows.size(), 2u);
}

TEST_F(SolutionOverlayTest, AccessFileIsInTheMatrixFilesOwnFolder) {
    // The folder's name contains the file name; only the real folder is right.
    attach("/data/mpsbcd007.mps.d/mpsbcd007.mps", &database);
    EXPECT_EQ(database.atOpen.strDaoConnect,
              "ODBC;DRIVER={Microsoft Access Driver (*.mdb, "
              "*.accdb)};DBQ=/data/mpsbcd007.mps.d/Results.mdb");
}

TEST_F(SolutionOverlayTest, PrefixesAreCaseInsensitive) {
    EXPECT_EQ(attach("/d/MpsBcd003.MPS", &database), 3);
    database.calls.clear();
    EXPECT_EQ(attach("/d/extendedTagMPSBCD012.mps", &database), 12);
    EXPECT_EQ(database.calls.front(), "Open");
}

TEST_F(SolutionOverlayTest, NonDigitCaseGivesCaseZeroButStillReadsThePrimalTables) {
    EXPECT_EQ(attach("/d/MPSBCDABC.mps", &database), 0);
    EXPECT_EQ(database.calls,
              (Calls{"Open", "FindSolution", "ReadPrimalColumns", "ReadPrimalRows", "Close"}));
    EXPECT_EQ(database.readerCases, (std::vector<int>{0, 0}));
}

TEST_F(SolutionOverlayTest, SqlServerSettingUsesTheServerConnection) {
    settings.DatabaseType = "sqlserver";
    properties.strDaoDatabase = "/old/db.mdb";
    properties.strDaoConnect = "ODBC;old";
    attach("/d/MPSBCD001.mps", &database);
    EXPECT_EQ(database.atOpen.strDatabaseConnection, settings.sqlServerConnectionString);
    EXPECT_EQ(database.atOpen.strDaoDatabase, "");
    EXPECT_EQ(database.atOpen.strDaoConnect, "");
}

// A database that fails to open, or none, reads nothing; only an automation client's table
// names are emptied.
TEST_F(SolutionOverlayTest, FailedOrMissingDatabaseReadsNothing) {
    database.openSucceeds = false;
    for (const bool automation : {false, true}) {
        for (RecordingResultsDatabase* db :
             {&database, static_cast<RecordingResultsDatabase*>(nullptr)}) {
            SCOPED_TRACE(std::string(automation ? "automation" : "own") +
                         (db ? " failing" : " none"));
            properties.strRunIdTable = "OldRuns";
            properties.strPrimalColTable = "OldCols";
            properties.FromAutomationClient = automation;
            database.calls.clear();
            EXPECT_EQ(attach("/d/mpsbcd007.mps", db), 0);
            EXPECT_EQ(database.calls, db ? Calls({"Open", "Close"}) : Calls());
            EXPECT_EQ(properties.strRunIdTable, automation ? "" : "OldRuns");
            EXPECT_EQ(properties.strPrimalColTable, automation ? "" : "OldCols");
            EXPECT_TRUE(lists.columns.empty());
        }
    }
}

TEST_F(SolutionOverlayTest, MatrixOutsideTheNamingSchemeHasItsTableNamesEmptied) {
    EXPECT_EQ(attach("/d/model.mps", &database), 0);
    EXPECT_EQ(database.calls.front(), "FindSolution");  // no database is opened for it
    EXPECT_EQ(database.atFirstReader.strRunIdTable, "");
    EXPECT_EQ(database.atFirstReader.strPrimalColTable, "");
    EXPECT_EQ(database.atFirstReader.strPrimalRowTable, "");
}

TEST_F(SolutionOverlayTest, NoTarnAndNoDatabaseTouchesNothing) {
    properties.TARN = false;
    EXPECT_EQ(attach("/d/mpsbcd007.mps", &database), 0);
    EXPECT_TRUE(database.calls.empty());
    EXPECT_EQ(properties.strRunIdTable, "OldRuns");
}

TEST_F(SolutionOverlayTest, NoTarnWithADatabaseReadsThePlainTablesAsNamed) {
    properties.TARN = false;
    properties.strDaoDatabase = "/d/results.mdb";
    EXPECT_EQ(attach("/d/mpsbcd007.mps", &database), 0);
    EXPECT_EQ(database.calls, (Calls{"ReadPlainPrimalColumns", "ReadPlainPrimalRows", "Close"}));
    EXPECT_EQ(database.atFirstReader.strPrimalColTable, "OldCols");
    EXPECT_EQ(database.atFirstReader.strDaoDatabase, "/d/results.mdb");
}

TEST_F(SolutionOverlayTest, AutomationClientsConnectionIsUsedAsSet) {
    properties.FromAutomationClient = true;
    properties.strDatabaseConnectionType = "SqlServer";
    properties.strDatabaseConnection = "client connection";
    EXPECT_EQ(attach("/d/mpsbcd007.mps", &database), 7);
    EXPECT_EQ(database.atOpen.strDatabaseConnection, "client connection");
    EXPECT_EQ(database.atFirstReader.strRunIdTable, "OldRuns");  // the client's names stay
    EXPECT_EQ(database.calls, Calls(std::begin(kReadCase7), std::end(kReadCase7)));
}

TEST_F(SolutionOverlayTest, FailedSolutionCheckLooksForNoCase) {
    database.findSucceeds = false;
    EXPECT_EQ(attach("/d/mpsbcd007.mps", &database), 0);
    EXPECT_EQ(database.calls, (Calls{"Open", "FindSolution", "Close"}));
}

TEST(CaseNumberOfTitleTest, TakesTheLastThreeCharacters) {
    EXPECT_EQ(CaseNumberOfTitle("mpsbcd012"), 12);
    EXPECT_EQ(CaseNumberOfTitle("MPSBCD1234"), 234);
    EXPECT_EQ(CaseNumberOfTitle("MPSBCDABC"), 0);
    EXPECT_EQ(CaseNumberOfTitle("MPSBCD7x1"), 7);  // atoi stops at the first non-digit
    EXPECT_EQ(CaseNumberOfTitle("42"), 42);
    EXPECT_EQ(CaseNumberOfTitle(""), 0);
}

}  // namespace
