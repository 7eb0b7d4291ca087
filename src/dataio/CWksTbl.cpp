#include "CWksTbl.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "DataMessages.h"
#include "FileKeyFilter.h"
#include "RegularTextFile.h"

namespace {

std::unique_ptr<CIoCell> textCell(const std::string& text) {
    std::unique_ptr<CIoCell> cell = makeEmptyCell(1);
    if (!text.empty()) cell->SetText(text.c_str());
    return cell;
}

}  // namespace

CWksTbl::CWksTbl(TableOptions options) : CBaseTbl(std::move(options)) {}

bool CWksTbl::Open(const CIoTableDescription& description) {
    m_path = description.tableName;
    m_records.clear();
    m_columns.clear();
    m_open = false;
    std::string text;
    if (!loadFile(text)) return false;
    const CsvProblem problem = parseCsv(text, m_records);
    if (problem.line > 0) {
        m_records.clear();
        return refuseOpen("line " + std::to_string(problem.line) + ": " + problem.text);
    }
    if (m_records.empty()) return refuseOpen("the file has no line of column names");
    for (std::string& name : m_records.front().fields) m_columns.push_back({name, 12, 0, 0});
    m_records.erase(m_records.begin());
    m_open = true;
    return true;
}

bool CWksTbl::loadFile(std::string& text) {
    std::string reason;
    const FilePointer file = openRegularFile(m_path, reason);
    if (!file) return refuseOpen(reason);
    char buffer[1 << 16];
    long long line = 1;
    std::size_t lineBytes = 0;
    for (std::size_t size; (size = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        // A line beyond the bound is refused as it streams in, before the text grows further.
        for (std::size_t at = 0; at < size; ++at) {
            if (buffer[at] == '\n') {
                ++line;
                lineBytes = 0;
            } else if (++lineBytes > kMaxTextLineBytes) {
                return refuseOpen(lineTooLongReason(line));
            }
        }
        text.append(buffer, size);
    }
    if (std::ferror(file.get()) == 0) return true;
    return refuseOpen(std::generic_category().message(EIO));
}

bool CWksTbl::refuseOpen(const std::string& reason) {
    m_reporter.error(datamsg::format(datamsg::kUnableToOpenTable, m_path) + "\n\n" + reason);
    return false;
}

bool CWksTbl::Close(int /*flag*/) {
    m_records.clear();
    m_open = false;
    return true;
}

bool CWksTbl::Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
                   const std::string& columns) {
    if (!m_open) {
        m_reporter.error(datamsg::format(datamsg::kUnableToOpenTable, m_path));
        return false;
    }
    ResolvedRequest request;
    if (!resolveRequest(m_columns, keyColumns, keyValues, columns, m_reporter, request)) {
        return false;
    }
    IoRowList found;
    for (const CsvRecord& record : m_records) {
        if (record.fields.size() != m_columns.size()) {
            m_reporter.error(datamsg::format(datamsg::kErrorRetrievingRecord, m_path) +
                             "\n\nline " + std::to_string(record.line) + ": " +
                             std::to_string(record.fields.size()) + " fields where line 1 names " +
                             std::to_string(m_columns.size()) + " columns");
            return false;
        }
        const KeyVerdict verdict = filterByKeys(
            request, [&record](int column) -> std::string_view { return record.fields[column]; });
        if (verdict == KeyVerdict::kAllKeysEmpty) {
            m_reporter.warning(
                datamsg::format(datamsg::kEmptyKeyRowSkipped, std::to_string(record.line)));
        }
        if (verdict != KeyVerdict::kAccepted) continue;
        found.push_back(makeRow(request, record));
    }
    if (found.empty()) m_reporter.warning(datamsg::text(datamsg::kNoMatchForKey));
    for (auto& row : found) rows.push_back(std::move(row));
    return true;
}

std::unique_ptr<CIoRow> CWksTbl::makeRow(const ResolvedRequest& request,
                                         const CsvRecord& record) const {
    auto row = std::make_unique<CIoRow>();
    for (const int column : request.valueColumns) {
        row->ValueCells().push_back(textCell(record.fields[column]));
    }
    for (const CIoKeyCell& key : request.keys) {
        if (key.Index() >= 0) {
            row->KeyCells().push_back(textCell(record.fields[key.Index()]));
            continue;
        }
        row->KeyCells().push_back(makeKeyPlaceholder());
    }
    return row;
}
