#include "CAdoTbl.h"

#include "AdoFieldTypes.h"
#include "CellFromValue.h"
#include "DataMessages.h"
#include "RequestResolution.h"
#include "SelectStatement.h"

namespace {

// The provider every ADO reading of an Access file names; on this system it leads to the
// driver that reads the file's content.
constexpr const char* kAceProvider = "Provider=Microsoft.ACE.OLEDB.16.0;Data Source=";

}  // namespace

CAdoTbl::CAdoTbl(TableOptions options) : CMfcOdbcTbl(std::move(options)) {}

CAdoTbl::~CAdoTbl() { Close(1); }

bool CAdoTbl::Open(const CIoTableDescription& description) {
    m_tableName = description.tableName;
    m_columns.clear();
    m_quotedColumns.clear();
    m_callerConnection = description.adoConnection;
    if (m_callerConnection && m_callerConnection->State() != 0) {
        m_connection = m_callerConnection.get();
    } else if (!openOwnConnection(description)) {
        return false;
    }
    return resolveTableReference() && describeColumns();
}

bool CAdoTbl::openOwnConnection(const CIoTableDescription& description) {
    m_adoOwnConnection = std::make_shared<OdbcConnection>();
    const std::string connect = description.connect.empty()
                                    ? std::string(kAceProvider) + description.dataPath
                                    : description.connect;
    if (!m_adoOwnConnection->OpenAdo(connect, description.user, description.password)) {
        reportWithDriverText(datamsg::kUnableToOpenTable, m_adoOwnConnection->lastError().text());
        m_adoOwnConnection.reset();
        return false;
    }
    m_connection = m_adoOwnConnection.get();
    return true;
}

bool CAdoTbl::Close(int /*flag*/) {
    m_connection = nullptr;
    // A caller's open connection stays open: the caller closes it after loading.
    m_callerConnection.reset();
    if (m_adoOwnConnection) m_adoOwnConnection->Close();
    m_adoOwnConnection.reset();
    return true;
}

bool CAdoTbl::describeColumns() {
    std::vector<OdbcResultColumn> described;
    if (!runDescribingSelect(described)) return false;
    m_columns.clear();
    m_quotedColumns.clear();
    for (const OdbcResultColumn& column : described) {
        const auto type = adoColumnType(adoFieldTypeForOdbc(column.sqlType));
        if (!type) {
            if (m_reporter.options().showWarningBoxes)
                m_reporter.warning(
                    datamsg::format(datamsg::kUnsupportedColumnSkipped, column.name));
            continue;
        }
        m_columns.push_back(ColumnDescription{column.name, type->sqlType,
                                              static_cast<int>(column.size), column.decimals});
        if (type->quoted) m_quotedColumns.insert(column.name);
    }
    return true;
}

bool CAdoTbl::Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
                   const std::string& columns) {
    ResolvedRequest request;
    if (!resolveQuotable(keyColumns, keyValues, columns, request)) return false;
    const std::string sql =
        buildAdoSelect(m_tableReference, m_columns, request, m_quotedColumns, statementStyle());
    m_reporter.logStatement(sql);
    return fillRows(sql, request, &cellFromAdoValue, rows);
}
