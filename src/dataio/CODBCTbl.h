#pragma once

#include "CMfcOdbcTbl.h"

// Plain ODBC (source kind 2): the same reading as kind 8, with the ANSI pattern characters.
// Names are quoted with the driver's own identifier quote instead of brackets, so that the
// statement runs on any driver.
class CODBCTbl : public CMfcOdbcTbl {
public:
    explicit CODBCTbl(TableOptions options = {});
    int Kind() const override { return 2; }

protected:
    OdbcStatementStyle statementStyle() const override;
};
