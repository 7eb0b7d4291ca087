#pragma once

#include <string>
#include <vector>

#include "FetchedValue.h"
#include "OdbcConnection.h"
#include "OdbcHandles.h"
#include "OdbcResultColumn.h"

// One SELECT on an open connection: run it, describe its columns, fetch its rows. Every
// failed call throws OdbcFailure with the driver's SQLSTATE and text.
class OdbcStatement {
public:
    explicit OdbcStatement(const OdbcConnection& connection);

    // Runs sql and describes the result's columns.
    void execute(const std::string& sql);
    // Runs the catalog call that lists every table and view, described like a result.
    void listTables();
    const std::vector<OdbcResultColumn>& columns() const { return m_columns; }
    // Moves to the next row and reads every column of it, in order, into row; false at the end.
    bool fetchRow(std::vector<FetchedValue>& row);

private:
    void describeResult();
    FetchedValue readValue(SQLUSMALLINT column, int sqlType);
    FetchedValue readDateTime(SQLUSMALLINT column, int sqlType);
    FetchedValue readDecimal(SQLUSMALLINT column);
    // The column's bytes in pieces as cType (character, wide character or binary); false for
    // a NULL.
    bool readPieces(SQLUSMALLINT column, SQLSMALLINT cType, std::string& bytes);
    template <typename T>
    bool readFixed(SQLUSMALLINT column, SQLSMALLINT cType, T& value);

    OdbcHandle m_statement;
    std::vector<OdbcResultColumn> m_columns;
};

// An ODBC SQL type (ODBC 2 or 3 codes, narrow or wide) as the data layer's type code: date,
// time and time stamp as 9, 10 and 11, wide texts as their narrow codes.
int layerSqlType(int odbcSqlType);

// UTF-16 code units as UTF-8 (unpaired surrogates become U+FFFD).
std::string utf8FromUtf16(const std::u16string& text);
