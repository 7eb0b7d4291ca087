#include "CsvText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads one record at a time from the text, keeping the line count.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : m_text(text) {
        if (m_text.starts_with(kByteOrderMark)) m_at = kByteOrderMark.size();
    }

    bool atEnd() const { return m_at >= m_text.size(); }
    int line() const { return m_line; }

    // The next record; false with problem set when it is malformed.
    bool readRecord(CsvRecord& record, CsvProblem& problem) {
        record.line = m_line;
        record.fields.clear();
        for (;;) {
            std::string field;
            if (!readField(field, problem)) return false;
            record.fields.push_back(std::move(field));
            if (atEnd()) return true;
            const char separator = m_text[m_at++];
            if (separator == '\n') {
                ++m_line;
                return true;
            }
        }
    }

private:
    bool readField(std::string& field, CsvProblem& problem) {
        if (!atEnd() && m_text[m_at] == '"') return readQuoted(field, problem);
        const std::size_t end = m_text.find_first_of(",\n", m_at);
        field.assign(m_text.substr(m_at, end == m_text.npos ? m_text.npos : end - m_at));
        m_at = end == m_text.npos ? m_text.size() : end;
        if (!field.empty() && field.back() == '\r') field.pop_back();
        return true;
    }

    bool readQuoted(std::string& field, CsvProblem& problem) {
        const int startLine = m_line;
        ++m_at;
        for (;;) {
            const std::size_t quote = m_text.find('"', m_at);
            if (quote == m_text.npos) {
                problem = {startLine, "a quoted field is not closed"};
                return false;
            }
            const std::string_view piece = m_text.substr(m_at, quote - m_at);
            for (char c : piece) m_line += c == '\n' ? 1 : 0;
            field += piece;
            m_at = quote + 1;
            if (atEnd() || m_text[m_at] != '"') break;
            field += '"';
            ++m_at;
        }
        if (!atEnd() && m_text[m_at] == '\r') ++m_at;
        if (atEnd() || m_text[m_at] == ',' || m_text[m_at] == '\n') return true;
        problem = {m_line, "text follows the closing quote of a field"};
        return false;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
};

bool isBlankRecord(const CsvRecord& record) {
    return record.fields.size() == 1 && record.fields.front().empty();
}

}  // namespace

CsvProblem parseCsv(std::string_view text, std::vector<CsvRecord>& records) {
    CsvReader reader(text);
    CsvProblem problem;
    while (!reader.atEnd()) {
        CsvRecord record;
        if (!reader.readRecord(record, problem)) return problem;
        if (!isBlankRecord(record)) records.push_back(std::move(record));
    }
    return problem;
}
