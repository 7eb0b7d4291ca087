#include "CMfcOdbcTbl.h"

#include "CellFromValue.h"
#include "DataMessages.h"
#include "OdbcStatement.h"
#include "RequestResolution.h"
#include "SelectStatement.h"

namespace {

// The table as the statements of a style name it ("Query::" dropped).
std::string tableReference(std::string_view tableName, const OdbcStatementStyle& style) {
    const std::string_view table = stripQueryPrefix(tableName);
    if (style.bracketTableName) return enclosedDoubling("[", table, ']', "]");
    const std::string& quote = style.identifierQuote;
    if (quote.empty()) return std::string(table);
    return enclosedDoubling(quote, table, quote.front(), quote);
}

// The empty placeholder of a key without a column (an empty piece of the key list).
std::unique_ptr<CIoCell> placeholderKeyCell() {
    std::unique_ptr<CIoCell> cell = makeEmptyCell(1);
    cell->SetFlags(cell->Flags() & ~kCellMadeFlag);
    return cell;
}

}  // namespace

CMfcOdbcTbl::CMfcOdbcTbl(TableOptions options) : CBaseTbl(std::move(options)) {}

CMfcOdbcTbl::~CMfcOdbcTbl() = default;

bool CMfcOdbcTbl::Open(const CIoTableDescription& description) {
    m_tableName = description.tableName;
    m_columns.clear();
    if (description.database != nullptr && description.database->IsOpen()) {
        m_connection = description.database;
    } else {
        m_ownConnection = std::make_unique<OdbcConnection>();
        if (!m_ownConnection->OpenEx(description.connect)) {
            reportWithDriverText(datamsg::kUnableToOpenTable, m_ownConnection->lastError().text());
            m_ownConnection.reset();
            return false;
        }
        m_connection = m_ownConnection.get();
    }
    return describeColumns();
}

bool CMfcOdbcTbl::Close(int /*flag*/) {
    m_connection = nullptr;
    if (m_ownConnection) m_ownConnection->Close();
    m_ownConnection.reset();
    return true;
}

bool CMfcOdbcTbl::describeColumns() {
    if (m_connection == nullptr) return false;
    try {
        OdbcStatement statement(*m_connection);
        if (!runDescribingSelect(tableReference(m_tableName, statementStyle()), statement))
            return false;
        m_columns.clear();
        for (const OdbcResultColumn& column : statement.columns())
            m_columns.push_back(ColumnDescription{column.name, layerSqlType(column.sqlType),
                                                  static_cast<int>(column.size), column.decimals});
        return true;
    } catch (const OdbcFailure& failure) {
        reportWithDriverText(datamsg::kUnableToOpenTable, failure.error().text());
        return false;
    }
}

bool CMfcOdbcTbl::runDescribingSelect(const std::string& tableReference, OdbcStatement& statement) {
    const std::string everything = "SELECT * FROM " + tableReference;
    try {
        // No rows are wanted; a driver whose SQL lacks the condition gets the plain form.
        statement.execute(everything + " WHERE 1=0");
        return true;
    } catch (const OdbcFailure&) {
    }
    try {
        statement.execute(everything);
        return true;
    } catch (const OdbcFailure& failure) {
        reportWithDriverText(datamsg::kUnableToOpenTable, failure.error().text());
        return false;
    }
}

bool CMfcOdbcTbl::Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
                       const std::string& columns) {
    ResolvedRequest request;
    if (!resolveRequest(m_columns, keyColumns, keyValues, columns, m_reporter, request))
        return false;
    const std::string sql =
        buildOdbcSelect(m_tableName, m_columns, request, *this, statementStyle());
    return fillRows(sql, request, &cellFromOdbcValue, rows);
}

bool CMfcOdbcTbl::fillRows(const std::string& sql, const ResolvedRequest& request,
                           CellMaker makeCell, IoRowList& rows) {
    if (m_connection == nullptr || !m_connection->IsOpen()) {
        reportWithDriverText(datamsg::kErrorRetrievingRecord, "The connection is not open.");
        return false;
    }
    std::size_t made = 0;
    try {
        OdbcStatement statement(*m_connection);
        statement.execute(sql);
        std::vector<FetchedValue> values;
        while (statement.fetchRow(values)) {
            auto row = std::make_unique<CIoRow>();
            std::size_t at = 0;
            for (int index : request.valueColumns)
                row->ValueCells().push_back(makeCell(values.at(at++), m_columns[index].sqlType));
            for (const CIoKeyCell& key : request.keys) {
                row->KeyCells().push_back(
                    key.Index() < 0 ? placeholderKeyCell()
                                    : makeCell(values.at(at++), m_columns[key.Index()].sqlType));
            }
            rows.push_back(std::move(row));
            ++made;
        }
    } catch (const OdbcFailure& failure) {
        const bool fieldFailed = failure.call() == "SQLGetData";
        reportWithDriverText(
            fieldFailed ? datamsg::kErrorRetrievingField : datamsg::kErrorRetrievingRecord,
            failure.error().text());
        return false;
    }
    if (made == 0) m_reporter.warning(datamsg::text(datamsg::kNoMatchForKey));
    return true;
}

void CMfcOdbcTbl::reportWithDriverText(int messageId, const std::string& driverText) {
    m_reporter.error(datamsg::format(messageId, m_tableName) + "\n\n" + driverText);
}

std::string CMfcOdbcTbl::SqlTypeName(int sqlType) const { return CBaseTbl::SqlTypeName(sqlType); }

std::string CMfcOdbcTbl::LiteralPrefix(int sqlType) const {
    return CBaseTbl::LiteralPrefix(sqlType);
}

std::string CMfcOdbcTbl::LiteralSuffix(int sqlType) const {
    return CBaseTbl::LiteralSuffix(sqlType);
}
