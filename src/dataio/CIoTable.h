#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CIoRow.h"
#include "CIoTableDescription.h"
#include "TableOptions.h"
#include "TableReporter.h"

class CBaseTbl;

inline constexpr int kTableRead = 0;
inline constexpr int kTableNotOpened = 1;
inline constexpr int kTableNotRead = 2;
inline constexpr int kTableNotClosed = 4;

// A table read at construction: the rows that one request selects from one source. Status
// says how far it got (0 read, 1 not opened, 2 not read, 4 not closed); no database error
// leaves the constructor. Lists are comma-separated texts.
class CIoTable {
public:
    // Kind 10 (and any kind that reads through a counted connection reference).
    CIoTable(AdoConnectionRef connection, const std::string& tableName,
             const std::string& keyColumns, const std::string& keyValues,
             const std::string& columns, int kind, const std::string& extra,
             TableOptions options = {});
    // Kind 8 and 2 through a caller's open database; kind 7 (database null, table a path).
    CIoTable(CDatabase* database, const std::string& tableName, const std::string& keyColumns,
             const std::string& keyValues, const std::string& columns, int kind,
             TableOptions options = {});
    // Any kind, from a full description (a connection to make, a data path, ...).
    CIoTable(const CIoTableDescription& description, const std::string& keyColumns,
             const std::string& keyValues, const std::string& columns, TableOptions options = {});
    // Through a given backend instead of the one for the description's kind: for backends
    // that the factory does not know (tests serve rows from memory this way).
    CIoTable(std::unique_ptr<CBaseTbl> backend, const CIoTableDescription& description,
             const std::string& keyColumns, const std::string& keyValues,
             const std::string& columns);
    ~CIoTable();
    CIoTable(const CIoTable&) = delete;
    CIoTable& operator=(const CIoTable&) = delete;

    int Status() const { return m_status; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }

    // Index errors throw std::invalid_argument.
    double ValueAsDouble(int row, int column) const;
    long ValueAsLong(int row, int column) const;
    std::string ValueAsString(int row, int column) const;
    long KeyAsLong(int row, int key) const;
    std::string KeyAsString(int row, int key) const;

    const IoRowList& Rows() const { return m_rows; }
    const CIoTableDescription& Description() const { return m_description; }
    // Every error and warning of the read, in order, whether or not it was shown.
    const std::vector<TableMessage>& Messages() const { return m_messages; }

private:
    void readThrough(const std::string& keyColumns, const std::string& keyValues,
                     const std::string& columns, const TableOptions& options);
    void readWith(CBaseTbl& backend, const std::string& keyColumns, const std::string& keyValues,
                  const std::string& columns);
    const CIoCell& cellAt(int row, int index, bool key) const;

    CIoTableDescription m_description;
    IoRowList m_rows;
    std::vector<TableMessage> m_messages;
    int m_status = kTableNotOpened;
};
