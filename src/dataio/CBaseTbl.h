#pragma once

#include <string>

#include "CIoRow.h"
#include "CIoTableDescription.h"
#include "ColumnDescription.h"
#include "TableReporter.h"

// The base of every backend: open a table, read rows of typed cells for a request, close.
// Failures are reported through the reporter and answered with false; nothing throws.
class CBaseTbl {
public:
    explicit CBaseTbl(TableOptions options = {}) : m_reporter(std::move(options)) {}
    virtual ~CBaseTbl() = default;
    CBaseTbl(const CBaseTbl&) = delete;
    CBaseTbl& operator=(const CBaseTbl&) = delete;

    virtual int Kind() const = 0;
    virtual bool Open(const CIoTableDescription& description) = 0;
    // flag is 1 on the reading path.
    virtual bool Close(int flag) = 0;
    // Appends one row per record that the request selects. keyColumns, keyValues and columns
    // are the request's comma-separated lists.
    virtual bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
                      const std::string& columns) = 0;

    // V written as a literal of a column of ODBC type sqlType, safe to put into SQL text.
    virtual std::string FormatLiteral(int sqlType, const std::string& value) const;
    virtual std::string SqlTypeName(int sqlType) const;
    virtual std::string LiteralPrefix(int sqlType) const;
    virtual std::string LiteralSuffix(int sqlType) const;

    const ColumnDescriptionList& Columns() const { return m_columns; }
    TableReporter& reporter() { return m_reporter; }
    const TableReporter& reporter() const { return m_reporter; }

protected:
    ColumnDescriptionList m_columns;
    TableReporter m_reporter;
};
