#pragma once

#include <functional>
#include <memory>
#include <string>

#include "DbSqlSvr.h"
#include "ExecutableFolder.h"
#include "IResultsDatabase.h"
#include "IUserInterface.h"
#include "OdbcConnection.h"

class CIoTable;

// The results database as the document reads it: an Access-style file (or any ODBC source)
// through its database object, or a server through DbSqlSvr, in the current ("Pr" tables),
// older (run-id) or plain layout. Readers report unreadable tables with message 118 and stay
// quiet about tables that cannot be opened, which is how a missing database shows.
class ResultsDatabase : public IResultsDatabase {
public:
    // programFolder receives the server connection's log; it ends in '/'.
    ResultsDatabase(IUserInterface& ui, ILogging& log,
                    std::string programFolder = ExecutableFolder());

    bool OpenResultsDatabase(AutomationProperties& properties) override;
    bool FindSolution(const AutomationProperties& properties) override;
    bool FindSolutionOfCase(const AutomationProperties& properties, int caseNumber) override;
    bool ReadPrimalColumns(const AutomationProperties& properties, int caseNumber,
                           PrimalLists& lists) override;
    bool ReadPrimalRows(const AutomationProperties& properties, int caseNumber,
                        PrimalLists& lists) override;
    bool ReadPlainPrimalColumns(const AutomationProperties& properties,
                                PrimalLists& lists) override;
    bool ReadPlainPrimalRows(const AutomationProperties& properties, PrimalLists& lists) override;
    void CloseIfOpen() override;

    // The key of the solution found last, as text; empty before one is found.
    const std::string& solutionId() const { return m_solutionId; }
    const CDatabase& accessDatabase() const { return m_database; }
    DbSqlSvr& server() { return m_server; }

private:
    bool openAccess(const std::string& dataSource, const std::string& connect);
    // A read through the server when the properties name one, else through the database.
    std::unique_ptr<CIoTable> request(const AutomationProperties& properties,
                                      const std::string& table, const std::string& keys,
                                      const std::string& values, const std::string& columns);
    std::unique_ptr<CIoTable> requestAccess(const std::string& table, const std::string& keys,
                                            const std::string& values, const std::string& columns);
    // False when the table was not read; tells the user when it was found but unreadable.
    bool tableRead(const CIoTable& table, const std::string& tableName);
    // tableRead, then take() on the rows; an index error in take() is an internal error.
    bool takeRows(const CIoTable& table, const std::string& tableName,
                  const std::function<void()>& take);
    void reportInternalError();

    IUserInterface& m_ui;
    std::string m_programFolder;
    CDatabase m_database;
    DbSqlSvr m_server;
    std::string m_solutionId;
};
