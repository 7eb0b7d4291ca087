#include "CODBCTbl.h"

#include "OdbcHandles.h"

CODBCTbl::CODBCTbl(TableOptions options) : CMfcOdbcTbl(std::move(options)) {}

OdbcStatementStyle CODBCTbl::statementStyle() const {
    if (m_connection == nullptr || !m_connection->IsOpen()) return {"", false};
    return {odbcIdentifierQuote(m_connection->handle()), false};
}
