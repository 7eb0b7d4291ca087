#pragma once

// The backend a request runs through.
enum SourceKind : int {
    kSourceSpreadsheet = 0,  // CWksTbl
    kSourcePlainOdbc = 2,    // CODBCTbl
    kSourceDbf = 7,          // CDbfTbl
    kSourceMfcOdbc = 8,      // CMfcOdbcTbl
    kSourceAdo = 10,         // CAdoTbl (reports kind 8)
};
