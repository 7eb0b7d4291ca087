#include "CIoTable.h"

#include <exception>
#include <stdexcept>

#include "CBaseTbl.h"
#include "DataMessages.h"
#include "TableBackendFactory.h"

namespace {

// A backend's exception as the message of the step it broke: the step's text, two line
// breaks, the exception's own words.
void reportException(TableReporter& reporter, int messageId, const std::string& tableName,
                     const std::exception& failure) {
    reporter.error(datamsg::format(messageId, tableName) + "\n\n" + failure.what());
}

}  // namespace

CIoTable::CIoTable(AdoConnectionRef connection, const std::string& tableName,
                   const std::string& keyColumns, const std::string& keyValues,
                   const std::string& columns, int kind, const std::string& extra,
                   TableOptions options) {
    m_description.adoConnection = std::move(connection);
    m_description.tableName = tableName;
    m_description.kind = kind;
    m_description.extra = extra;
    readThrough(keyColumns, keyValues, columns, options);
}

CIoTable::CIoTable(CDatabase* database, const std::string& tableName, const std::string& keyColumns,
                   const std::string& keyValues, const std::string& columns, int kind,
                   TableOptions options) {
    m_description.database = database;
    m_description.tableName = tableName;
    m_description.kind = kind;
    readThrough(keyColumns, keyValues, columns, options);
}

CIoTable::CIoTable(const CIoTableDescription& description, const std::string& keyColumns,
                   const std::string& keyValues, const std::string& columns, TableOptions options)
    : m_description(description) {
    readThrough(keyColumns, keyValues, columns, options);
}

CIoTable::CIoTable(std::unique_ptr<CBaseTbl> backend, const CIoTableDescription& description,
                   const std::string& keyColumns, const std::string& keyValues,
                   const std::string& columns)
    : m_description(description) {
    if (!backend) return;
    readWith(*backend, keyColumns, keyValues, columns);
}

CIoTable::~CIoTable() = default;

void CIoTable::readThrough(const std::string& keyColumns, const std::string& keyValues,
                           const std::string& columns, const TableOptions& options) {
    std::unique_ptr<CBaseTbl> backend;
    try {
        backend = makeTableBackend(m_description.kind, options);
    } catch (const std::exception& failure) {
        TableReporter reporter(options);
        reportException(reporter, datamsg::kUnableToOpenTable, m_description.tableName, failure);
        m_messages = reporter.messages();
        return;
    }
    if (!backend) {
        // No backend reads this kind of source.
        TableReporter reporter(options);
        reporter.error(datamsg::format(datamsg::kUnableToOpenTable, m_description.tableName));
        m_messages = reporter.messages();
        return;
    }
    readWith(*backend, keyColumns, keyValues, columns);
}

void CIoTable::readWith(CBaseTbl& backend, const std::string& keyColumns,
                        const std::string& keyValues, const std::string& columns) {
    TableReporter& reporter = backend.reporter();
    const std::string& table = m_description.tableName;
    m_status = kTableNotOpened;
    bool opened = false;
    try {
        opened = backend.Open(m_description);
        if (opened) {
            m_status = kTableNotRead;
            if (backend.Read(m_rows, keyColumns, keyValues, columns)) m_status = kTableRead;
        }
    } catch (const std::exception& failure) {
        m_status = opened ? kTableNotRead : kTableNotOpened;
        reportException(reporter,
                        opened ? datamsg::kErrorRetrievingRecord : datamsg::kUnableToOpenTable,
                        table, failure);
    }
    // A table that was opened is closed even when its read failed; only a read that
    // succeeded turns a failed close into status 4.
    if (opened) {
        try {
            if (!backend.Close(1) && m_status == kTableRead) m_status = kTableNotClosed;
        } catch (const std::exception& failure) {
            reportException(reporter, datamsg::kErrorClosingTable, table, failure);
            if (m_status == kTableRead) m_status = kTableNotClosed;
        }
    }
    m_messages = reporter.messages();
}

const CIoCell& CIoTable::cellAt(int row, int index, bool key) const {
    if (row < 0 || row >= RowCount())
        throw std::invalid_argument("row index " + std::to_string(row) + " outside the table");
    const CIoRow& cells = *m_rows[static_cast<std::size_t>(row)];
    const auto& list = key ? cells.KeyCells() : cells.ValueCells();
    if (index < 0 || index >= static_cast<int>(list.size()) || !list[index])
        throw std::invalid_argument((key ? "key index " : "column index ") + std::to_string(index) +
                                    " outside row " + std::to_string(row));
    return *list[static_cast<std::size_t>(index)];
}

double CIoTable::ValueAsDouble(int row, int column) const {
    return cellAt(row, column, false).AsDouble();
}

long CIoTable::ValueAsLong(int row, int column) const {
    return cellAt(row, column, false).AsLong();
}

std::string CIoTable::ValueAsString(int row, int column) const {
    return cellAt(row, column, false).AsString();
}

long CIoTable::KeyAsLong(int row, int key) const { return cellAt(row, key, true).AsLong(); }

std::string CIoTable::KeyAsString(int row, int key) const {
    return cellAt(row, key, true).AsString();
}
