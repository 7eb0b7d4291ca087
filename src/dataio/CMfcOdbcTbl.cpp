#include "CMfcOdbcTbl.h"

#include "CellFromValue.h"
#include "DataMessages.h"
#include "OdbcHandles.h"
#include "OdbcStatement.h"
#include "RequestResolution.h"
#include "SelectStatement.h"
#include "SqlIdentifiers.h"

namespace {

// The empty placeholder of a key without a column (an empty piece of the key list).
std::unique_ptr<CIoCell> placeholderKeyCell() {
    std::unique_ptr<CIoCell> cell = makeEmptyCell(1);
    cell->SetFlags(cell->Flags() & ~kCellMadeFlag);
    return cell;
}

// The key value as the layer's own matcher reads a pattern ("..." is "*").
std::string keyPattern(const std::string& value) {
    std::string pattern;
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (value.compare(at, 3, "...") == 0) {
            pattern += '*';
            at += 2;
        } else {
            pattern += value[at];
        }
    }
    return pattern;
}

// Whether a fetched row still matches the patterns whose literal "%" or "_" the driver could
// only match with a wildcard. Values arrive in statement order: value columns, then found keys.
bool matchesFilteredPatterns(const ResolvedRequest& request, const OdbcStatementStyle& style,
                             const std::vector<CIoCell*>& keyCells) {
    for (std::size_t k = 0; k < request.keys.size() && k < request.keyValues.size(); ++k) {
        const std::string& value = request.keyValues[k];
        if (keyCells[k] == nullptr || !likeNeedsRowFilter(value, style)) continue;
        // The driver compared case-sensitively or not; ignoring case here keeps every row it
        // chose for that reason and drops only those a wildcard let in.
        if (!matchesPattern(keyCells[k]->AsString(), keyPattern(value), true)) return false;
    }
    return true;
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
    return resolveTableReference() && describeColumns();
}

bool CMfcOdbcTbl::Close(int /*flag*/) {
    m_connection = nullptr;
    if (m_ownConnection) m_ownConnection->Close();
    m_ownConnection.reset();
    return true;
}

OdbcStatementStyle CMfcOdbcTbl::statementStyle() const {
    if (m_connection == nullptr) return {"", true};
    return {m_connection->IdentifierQuote(), m_connection->LikeEscapeWorks()};
}

bool CMfcOdbcTbl::resolveTableReference() {
    const std::string_view requested = stripQueryPrefix(m_tableName);
    std::vector<std::string> catalog;
    try {
        catalog = m_connection->TableNames();
    } catch (const OdbcFailure&) {
        // A driver without a usable catalog: the name is written as it was asked for.
    }
    const std::optional<std::string> spelling = catalogSpelling(requested, catalog);
    const std::string& quote = m_connection->IdentifierQuote();
    if (!spelling && isBareSqlName(requested)) {
        // Not in the catalog (a schema-qualified name, or a table that does not exist): a bare
        // name cannot change the statement, and the driver says whether it finds the table.
        m_tableReference = std::string(requested);
        return true;
    }
    const std::string_view name = spelling ? std::string_view(*spelling) : requested;
    const std::string reason = unquotableNameReason(name, quote);
    if (!reason.empty()) {
        reportWithDriverText(datamsg::kUnableToOpenTable, reason);
        return false;
    }
    m_tableReference = quotedIdentifier(name, quote);
    return true;
}

bool CMfcOdbcTbl::describeColumns() {
    std::vector<OdbcResultColumn> described;
    if (!runDescribingSelect(described)) return false;
    m_columns.clear();
    for (const OdbcResultColumn& column : described)
        m_columns.push_back(ColumnDescription{column.name, layerSqlType(column.sqlType),
                                              static_cast<int>(column.size), column.decimals});
    return true;
}

bool CMfcOdbcTbl::runDescribingSelect(std::vector<OdbcResultColumn>& described) {
    if (m_connection == nullptr) return false;
    const std::string everything = "SELECT * FROM " + m_tableReference;
    const auto keepColumns = [&described](const std::vector<OdbcResultColumn>& columns) {
        described = columns;
    };
    const auto ignoreRow = [](std::vector<FetchedValue>&) {};
    try {
        // No rows are wanted; a driver whose SQL lacks the condition gets the plain form.
        m_connection->Query(everything + " WHERE 1=0", keepColumns, ignoreRow);
        return true;
    } catch (const OdbcFailure&) {
    }
    try {
        m_connection->Query(everything, keepColumns, ignoreRow);
        return true;
    } catch (const OdbcFailure& failure) {
        reportWithDriverText(datamsg::kUnableToOpenTable, failure.error().text());
        return false;
    }
}

bool CMfcOdbcTbl::resolveQuotable(const std::string& keyColumns, const std::string& keyValues,
                                  const std::string& columns, ResolvedRequest& request) {
    if (!resolveRequest(m_columns, keyColumns, keyValues, columns, m_reporter, request))
        return false;
    std::vector<int> used = request.valueColumns;
    for (const CIoKeyCell& key : request.keys)
        if (key.Index() >= 0) used.push_back(key.Index());
    const std::string& quote = statementStyle().identifierQuote;
    for (const int index : used) {
        const std::string reason = unquotableNameReason(m_columns[index].name, quote);
        if (reason.empty()) continue;
        reportWithDriverText(datamsg::kErrorRetrievingRecord, reason);
        return false;
    }
    return true;
}

bool CMfcOdbcTbl::Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
                       const std::string& columns) {
    ResolvedRequest request;
    if (!resolveQuotable(keyColumns, keyValues, columns, request)) return false;
    const std::string sql =
        buildOdbcSelect(m_tableReference, m_columns, request, *this, statementStyle());
    return fillRows(sql, request, &cellFromOdbcValue, rows);
}

bool CMfcOdbcTbl::fillRows(const std::string& sql, const ResolvedRequest& request,
                           CellMaker makeCell, IoRowList& rows) {
    if (m_connection == nullptr || !m_connection->IsOpen()) {
        reportWithDriverText(datamsg::kErrorRetrievingRecord, "The connection is not open.");
        return false;
    }
    const OdbcStatementStyle style = statementStyle();
    std::size_t made = 0;
    const auto addRow = [&](std::vector<FetchedValue>& values) {
        auto row = std::make_unique<CIoRow>();
        std::vector<CIoCell*> keyCells;
        std::size_t at = 0;
        for (int index : request.valueColumns)
            row->ValueCells().push_back(makeCell(values.at(at++), m_columns[index].sqlType));
        for (const CIoKeyCell& key : request.keys) {
            row->KeyCells().push_back(
                key.Index() < 0 ? placeholderKeyCell()
                                : makeCell(values.at(at++), m_columns[key.Index()].sqlType));
            keyCells.push_back(key.Index() < 0 ? nullptr : row->KeyCells().back().get());
        }
        if (!matchesFilteredPatterns(request, style, keyCells)) return;
        rows.push_back(std::move(row));
        ++made;
    };
    try {
        m_connection->Query(
            sql, [](const std::vector<OdbcResultColumn>&) {}, addRow);
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
