#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "CBaseTbl.h"
#include "DbfHeader.h"
#include "RequestResolution.h"

// Reads a dBASE table (versions 3 and 4) from a DBF file (source kind 7); the table name of
// the request is the file's path.
class CDbfTbl : public CBaseTbl {
public:
    explicit CDbfTbl(TableOptions options = {});
    ~CDbfTbl() override;

    int Kind() const override { return 7; }
    bool Open(const CIoTableDescription& description) override;
    bool Close(int flag) override;
    bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) override;

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    bool openFile();
    bool readHeader();
    bool acceptHeader(const DbfHeaderProblem& problem);
    std::unique_ptr<CIoRow> makeRow(const ResolvedRequest& request) const;
    std::string_view fieldBytes(int column) const;

    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_path;
    DbfHeader m_header;
    std::string m_record;
};
