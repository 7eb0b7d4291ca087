#pragma once

#include <set>
#include <string>

#include "CMfcOdbcTbl.h"

// Reads a table through an ADO-style connection (source kind 10, reporting kind 8): names
// between the driver's quotes, key literals quoted by column type, a caller's connection left
// open.
class CAdoTbl : public CMfcOdbcTbl {
public:
    explicit CAdoTbl(TableOptions options = {});
    ~CAdoTbl() override;

    bool Open(const CIoTableDescription& description) override;
    bool Close(int flag) override;
    bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) override;

protected:
    bool describeColumns() override;

private:
    bool openOwnConnection(const CIoTableDescription& description);

    AdoConnectionRef m_callerConnection;
    AdoConnectionRef m_adoOwnConnection;
    // Text and date-time columns: their key values are written as quoted literals.
    std::set<std::string> m_quotedColumns;
};
