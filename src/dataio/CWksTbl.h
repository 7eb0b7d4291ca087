#pragma once

#include <string>
#include <vector>

#include "CBaseTbl.h"
#include "CsvText.h"
#include "RequestResolution.h"

// Reads a comma-separated text file (source kind 0); the table name of the request is the
// file's path and its first line names the columns. Every value is text (a CIoStrCell, null
// when the field is empty); keys filter the records as on DBF files, against the field text
// as it stands. Workbook files are not read.
class CWksTbl : public CBaseTbl {
public:
    explicit CWksTbl(TableOptions options = {});

    int Kind() const override { return 0; }
    // Reads the whole file: a text table is read once, and nothing stays open afterwards.
    bool Open(const CIoTableDescription& description) override;
    bool Close(int flag) override;
    bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) override;

private:
    bool loadFile(std::string& text);
    bool refuseOpen(const std::string& reason);
    std::unique_ptr<CIoRow> makeRow(const ResolvedRequest& request, const CsvRecord& record) const;

    std::string m_path;
    std::vector<CsvRecord> m_records;  // the data lines, the column names excluded
    bool m_open = false;
};
