#include "MatrixTestSupport.h"
#include "OpenPath.h"
#include "SolutionOverlay.h"

namespace {

using matrixtest::RecordingResultsDatabase;
using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;

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

// The folder's name contains the file name; only the real folder is right.
TEST_F(SolutionOverlayTest, ResultsNamedMatrixReadsItsCaseFromTheAccessFileBesideIt) {
    EXPECT_EQ(attach("/data/mpsbcd007.mps.d/mpsbcd007.mps", &database), 7);
    EXPECT_EQ(database.calls, Calls(std::begin(kReadCase7), std::end(kReadCase7)));
    const AutomationProperties &open = database.atOpen, &reader = database.atFirstReader;
    EXPECT_EQ((Texts{open.strDaoConnect, open.strDaoDatabase, open.strDatabaseConnection,
                     reader.strRunIdTable, reader.strPrimalColTable, reader.strPrimalRowTable}),
              (Texts{"ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=/data/"
                     "mpsbcd007.mps.d/Results.mdb",
                     "", "", "PrSolution", "PrPrimalColumn", "PrPrimalRow"}));
    EXPECT_EQ(database.readerCases, (std::vector<int>{7, 7}));
    EXPECT_EQ(std::pair(lists.columns.size(), lists.rows.size()),
              std::pair(std::size_t{2}, std::size_t{2}));
}

TEST_F(SolutionOverlayTest, SqlServerSettingUsesTheServerConnection) {
    settings.DatabaseType = "sqlserver";
    properties.strDaoDatabase = "/old/db.mdb";
    properties.strDaoConnect = "ODBC;old";
    attach("/d/MPSBCD001.mps", &database);
    const AutomationProperties& open = database.atOpen;
    EXPECT_EQ((Texts{open.strDatabaseConnection, open.strDaoDatabase, open.strDaoConnect}),
              (Texts{settings.sqlServerConnectionString, "", ""}));
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

TEST_F(SolutionOverlayTest, CallsFollowTheNameAndTheSettings) {
    using Setup = void (*)(AutomationProperties&, RecordingResultsDatabase&);
    const Calls readCase3 = {
        "Open",           "FindSolution", "FindSolutionOfCase 3", "ReadPrimalColumns",
        "ReadPrimalRows", "Close"};
    const struct {
        const char* path;
        Setup setUp;
        int caseNumber;
        Calls calls;
        const char* runIdTable;  // as the first call after opening saw it
    } cases[] = {
        // clang-format off
        {"/d/MpsBcd003.MPS", nullptr, 3, readCase3, "PrSolution"},  // prefixes in any case
        {"/d/extendedTagMPSBCD003.mps", nullptr, 3, readCase3, "PrSolution"},
        {"/d/MPSBCDABC.mps", nullptr, 0,  // no digits: case 0, the primal tables still read
         {"Open", "FindSolution", "ReadPrimalColumns", "ReadPrimalRows", "Close"}, "PrSolution"},
        {"/d/model.mps", nullptr, 0,  // outside the naming scheme: no database, names emptied
         {"FindSolution", "ReadPrimalColumns", "ReadPrimalRows", "Close"}, ""},
        {"/d/mpsbcd007.mps", [](auto& p, auto&) { p.TARN = false; }, 0, {}, ""},
        {"/d/mpsbcd007.mps", [](auto& p, auto&) { p.TARN = false, p.strDaoDatabase = "/d/r.mdb"; },
         0, {"ReadPlainPrimalColumns", "ReadPlainPrimalRows", "Close"}, "OldRuns"},
        {"/d/MPSBCD003.mps", [](auto& p, auto&) { p.FromAutomationClient = true; }, 3, readCase3,
         "OldRuns"},  // the client's table names stay
        {"/d/mpsbcd007.mps", [](auto&, auto& db) { db.findSucceeds = false; }, 0,
         {"Open", "FindSolution", "Close"}, "PrSolution"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + (" case " + std::to_string(&c - cases)));
        properties = AutomationProperties();
        properties.strRunIdTable = "OldRuns";
        database = RecordingResultsDatabase();
        if (c.setUp) c.setUp(properties, database);
        EXPECT_EQ(attach(c.path, &database), c.caseNumber);
        EXPECT_EQ(database.calls, c.calls);
        EXPECT_EQ(database.atFirstReader.strRunIdTable, c.runIdTable);
        if (c.calls.empty()) {
            EXPECT_EQ(properties.strRunIdTable, "OldRuns");
        }
    }
}

// The case number is atoi of a title's last three characters; only the last component's last
// dot starts the extension, and the error log sits beside the file.
TEST(OpenPathTest, SplitsFolderTitleAndExtensionAndTakesTheCaseNumber) {
    const std::pair<const char*, int> titles[] = {{"mpsbcd012", 12}, {"MPSBCD1234", 234},
                                                  {"MPSBCDABC", 0},  {"MPSBCD7x1", 7},
                                                  {"42", 42},        {"", 0}};
    for (const auto& [title, number] : titles) EXPECT_EQ(CaseNumberOfTitle(title), number) << title;
    const std::pair<const char*, const char*> cases[] = {
        // path, then file name | extension | folder | title | error log
        {"/m/model.mps", "model.mps|mps|/m/|model|/m/model_err.log"},
        {"/data/run.v2/model", "model||/data/run.v2/|model|/data/run.v2/model_err.log"},
        {"/d/model.tar.mps", "model.tar.mps|mps|/d/|model.tar|/d/model.tar_err.log"},
        {"/d/model.", "model.||/d/|model|/d/model_err.log"},
        {"run.mps", "run.mps|mps||run|run_err.log"},
    };
    for (const auto& [path, expected] : cases) {
        const OpenPath p = SplitOpenPath(path);
        EXPECT_EQ(p.fileName + '|' + p.extension + '|' + p.folder + '|' + p.fileTitle + '|' +
                      p.errorLogPath,
                  expected)
            << path;
    }
}

}  // namespace
