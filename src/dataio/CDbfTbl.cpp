#include "CDbfTbl.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "DataMessages.h"
#include "DbfFieldDecoding.h"
#include "FileKeyFilter.h"

namespace {

std::string systemReason(int error) { return std::generic_category().message(error); }

}  // namespace

CDbfTbl::CDbfTbl(TableOptions options) : CBaseTbl(std::move(options)) {}

CDbfTbl::~CDbfTbl() = default;

bool CDbfTbl::Open(const CIoTableDescription& description) {
    m_file.reset();
    m_columns.clear();
    m_header = {};
    m_path = description.tableName;
    if (!openFile() || !readHeader()) {
        m_file.reset();
        m_columns.clear();
        return false;
    }
    m_columns = dbfColumns(m_header);
    m_record.assign(m_header.recordLength, ' ');
    return true;
}

// Read-only, so that other programs may keep the file open and even write it meanwhile.
bool CDbfTbl::openFile() {
    m_file.reset(std::fopen(m_path.c_str(), "rb"));
    int error = errno;
    struct stat status {};
    if (m_file && ::fstat(::fileno(m_file.get()), &status) == 0 && S_ISDIR(status.st_mode)) {
        m_file.reset();
        error = EISDIR;
    }
    if (m_file) return true;
    m_reporter.error(datamsg::format(datamsg::kUnableToOpenTable, m_path) + "\n\n" +
                     systemReason(error));
    return false;
}

bool CDbfTbl::readHeader() {
    std::string bytes(kDbfHeaderSize, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), m_file.get()));
    if (!acceptHeader(parseDbfFileHeader(bytes, m_header))) return false;
    bytes.assign(m_header.headerLength - kDbfHeaderSize, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), m_file.get()));
    return acceptHeader(parseDbfDescriptors(bytes, m_header));
}

// True when the header has no problem; otherwise reports the problem and answers false.
bool CDbfTbl::acceptHeader(const DbfHeaderProblem& problem) {
    if (problem.messageId == 0) return true;
    if (problem.messageId == datamsg::kDbfUnknownType) {
        m_reporter.error(datamsg::format(problem.messageId, problem.argument));
    } else {
        m_reporter.error(datamsg::text(problem.messageId));
    }
    return false;
}

bool CDbfTbl::Close(int /*flag*/) {
    if (!m_file) return true;
    const bool closed = std::fclose(m_file.release()) == 0;
    if (!closed) m_reporter.error(datamsg::format(datamsg::kErrorClosingTable, m_path));
    return closed;
}

bool CDbfTbl::Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
                   const std::string& columns) {
    if (!m_file) {
        m_reporter.error(datamsg::format(datamsg::kUnableToOpenTable, m_path));
        return false;
    }
    ResolvedRequest request;
    if (!resolveRequest(m_columns, keyColumns, keyValues, columns, m_reporter, request)) {
        return false;
    }
    std::FILE* file = m_file.get();
    if (std::fseek(file, m_header.headerLength, SEEK_SET) != 0) {
        m_reporter.error(datamsg::text(datamsg::kDbfShortRecord));
        return false;
    }
    // Rows join the caller's list only when the whole read succeeds.
    IoRowList found;
    for (uint64_t number = 1; number <= m_header.recordCount; ++number) {
        if (std::fread(m_record.data(), 1, m_record.size(), file) != m_record.size()) {
            m_reporter.error(datamsg::text(datamsg::kDbfShortRecord));
            return false;
        }
        if (m_record.front() == kDbfDeletedMark) continue;
        const KeyVerdict verdict =
            filterByKeys(request, [this](int column) { return dbfFieldText(fieldBytes(column)); });
        if (verdict == KeyVerdict::kAllKeysEmpty) {
            m_reporter.warning(
                datamsg::format(datamsg::kEmptyKeyRowSkipped, std::to_string(number)));
        }
        if (verdict != KeyVerdict::kAccepted) continue;
        found.push_back(makeRow(request));
    }
    if (found.empty()) m_reporter.warning(datamsg::text(datamsg::kNoMatchForKey));
    for (auto& row : found) rows.push_back(std::move(row));
    return true;
}

std::unique_ptr<CIoRow> CDbfTbl::makeRow(const ResolvedRequest& request) const {
    auto row = std::make_unique<CIoRow>();
    for (const int column : request.valueColumns) {
        row->ValueCells().push_back(
            decodeDbfField(m_header.fields[column].type, fieldBytes(column)));
    }
    for (const CIoKeyCell& key : request.keys) {
        if (key.Index() >= 0) {
            row->KeyCells().push_back(
                decodeDbfField(m_header.fields[key.Index()].type, fieldBytes(key.Index())));
            continue;
        }
        row->KeyCells().push_back(makeKeyPlaceholder());
    }
    return row;
}

std::string_view CDbfTbl::fieldBytes(int column) const {
    const DbfField& field = m_header.fields[static_cast<std::size_t>(column)];
    return std::string_view(m_record).substr(static_cast<std::size_t>(field.offset),
                                             static_cast<std::size_t>(field.length));
}
