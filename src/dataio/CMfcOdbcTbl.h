#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CBaseTbl.h"
#include "FetchedValue.h"
#include "OdbcResultColumn.h"
#include "SelectStatement.h"

// Reads a table through an ODBC connection (source kind 8): the caller's open database, or a
// connection of its own made from the description's connect string. Table and column names
// are written between the driver's identifier quotes.
class CMfcOdbcTbl : public CBaseTbl {
public:
    explicit CMfcOdbcTbl(TableOptions options = {});
    ~CMfcOdbcTbl() override;

    int Kind() const override { return 8; }
    bool Open(const CIoTableDescription& description) override;
    bool Close(int flag) override;
    bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) override;

    std::string SqlTypeName(int sqlType) const override;
    std::string LiteralPrefix(int sqlType) const override;
    std::string LiteralSuffix(int sqlType) const override;

protected:
    // Fills m_columns from the table; false (reported) when the table cannot be described.
    virtual bool describeColumns();
    // How statements on the connection in use write names and patterns.
    OdbcStatementStyle statementStyle() const;

    // Sets m_tableReference: the table as the catalog spells it, between the driver's quotes;
    // false (reported) when the name cannot be written safely.
    bool resolveTableReference();
    // Runs the statement that describes the table (no rows wanted) on the connection in use;
    // the result's columns, or false with 10315 and the driver's text reported.
    bool runDescribingSelect(std::vector<OdbcResultColumn>& described);
    // Resolves the request and checks that every name it uses can be quoted; false (reported)
    // otherwise.
    bool resolveQuotable(const std::string& keyColumns, const std::string& keyValues,
                         const std::string& columns, ResolvedRequest& request);
    // Runs sql and appends one row per record, making cells with makeCell; false (reported
    // with the table name) when the statement or a record fails.
    using CellMaker = std::unique_ptr<CIoCell> (*)(const FetchedValue&, int);
    bool fillRows(const std::string& sql, const ResolvedRequest& request, CellMaker makeCell,
                  IoRowList& rows);
    void reportWithDriverText(int messageId, const std::string& driverText);

    std::string m_tableName;
    std::string m_tableReference;
    // The connection this backend reads through: the caller's or m_ownConnection.
    OdbcConnection* m_connection = nullptr;
    std::unique_ptr<OdbcConnection> m_ownConnection;
};
