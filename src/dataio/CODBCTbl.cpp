#include "CODBCTbl.h"

CODBCTbl::CODBCTbl(TableOptions options) : CMfcOdbcTbl(std::move(options)) {}
