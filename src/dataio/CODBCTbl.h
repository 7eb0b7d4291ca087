#pragma once

#include "CMfcOdbcTbl.h"

// Plain ODBC (source kind 2): the same reading as kind 8, with the ANSI pattern characters and
// names between the driver's own identifier quotes.
class CODBCTbl : public CMfcOdbcTbl {
public:
    explicit CODBCTbl(TableOptions options = {});
    int Kind() const override { return 2; }
};
