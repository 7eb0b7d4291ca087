#pragma once

#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "CDbfTbl.h"
#include "CIoTable.h"
#include "SqlScripts.h"
#include "TempFolder.h"
#include "TestData.h"
#include "TextHolds.h"

namespace testsupport {

// Every message, one a line; with severities, each preceded by E (error) or W (warning).
inline std::string messageLines(const std::vector<TableMessage>& messages,
                                bool severities = false) {
    std::string out;
    for (const TableMessage& message : messages) {
        if (severities) out += message.severity == TableMessageSeverity::kError ? "E " : "W ";
        out += message.text + "\n";
    }
    return out;
}

inline std::string allMessages(const CIoTable& table) { return messageLines(table.Messages()); }

// The value cells of a row as text, joined by '/'.
inline std::string rowText(const CIoTable& table, int row = 0) {
    std::string out;
    const auto& cells = table.Rows().at(row)->ValueCells();
    for (std::size_t i = 0; i < cells.size(); ++i) out += (i ? "/" : "") + cells[i]->AsString();
    return out;
}

// The text with \t, \r, \n, \\ and \xHH escapes made into their bytes.
inline std::string unescaped(std::string text) {
    for (std::size_t at = 0; (at = text.find('\\', at)) != std::string::npos; ++at) {
        const char c = text.at(at + 1);
        if (c == 'x')
            text.replace(at, 4, 1,
                         static_cast<char>(std::stoi(text.substr(at + 2, 2), nullptr, 16)));
        else
            text.replace(at, 2, 1, c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c);
    }
    return text;
}

// The lines of a file under tests/data, blank and '#' lines left out, each split at '|' into
// fields trimmed of blanks and unescaped; a field in double quotes keeps the blanks inside them.
inline std::vector<std::vector<std::string>> dataTable(const std::string& name) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream file(testData(name));
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        auto& row = rows.emplace_back();
        for (std::string field; std::getline(fields, field, '|');) {
            field.erase(0, field.find_first_not_of(' '));
            field.erase(field.find_last_not_of(' ') + 1);
            const bool quoted = field.size() > 1 && field.front() == '"' && field.back() == '"';
            row.push_back(unescaped(quoted ? field.substr(1, field.size() - 2) : field));
        }
    }
    return rows;
}

// The statements of a file under tests/data.
inline std::vector<std::string> sqlStatements(const std::string& name) {
    return scriptStatements(NORVA_TEST_DATA_DIR "/" + name);
}

// Whether a table of that name can be selected from through connection.
inline bool tableExists(const OdbcConnection& connection, const std::string& table) {
    return executeStatements(connection, {"SELECT * FROM " + table + " WHERE 1=0"}).empty();
}

// The private PostgreSQL server that the ctest fixture starts: its port, or empty without it.
inline std::string postgresPort() {
    const char* port = std::getenv("NORVA_TEST_PG_PORT");
    return port == nullptr ? "" : port;
}

// A connection on the ADO path to the private server, making the tables of sql unless table
// exists. ctest runs cases in processes of their own, several at once: the first to take the
// lock makes the tables. Empty on success, else what failed.
inline std::string openPostgres(OdbcConnection& connection, int lock, const std::string& table,
                                const std::vector<std::string>& sql) {
    if (!connection.OpenAdo("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=" + postgresPort() +
                            ";Database=norva_test;Uid=postgres"))
        return connection.lastError().text();
    const std::string lockId = "(" + std::to_string(lock) + ")";
    std::string failures = executeStatements(connection, {"SELECT pg_advisory_lock" + lockId});
    if (!tableExists(connection, table)) failures += executeStatements(connection, sql);
    return failures + executeStatements(connection, {"SELECT pg_advisory_unlock" + lockId});
}

// The Windows Access driver's connect string for a file, as the solution path writes it.
inline std::string accessConnect(const std::string& path) {
    return "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + path;
}

// A fresh SQLite results database in a temporary folder, made through the SQLite3 ODBC
// driver and removed with the folder.
class SqliteTestDatabase {
public:
    SqliteTestDatabase() : m_path(m_folder / "results.sqlite") {
        // No connection makes a database file; SQLite takes an empty file as an empty database.
        std::ofstream(m_path, std::ios::binary).flush();
        if (!m_direct.OpenEx("DRIVER={SQLite3};SyncPragma=off;Database=" + m_path)) {
            ADD_FAILURE() << "cannot create " << m_path << ": " << m_direct.lastError().text();
            return;
        }
        const std::string failures =
            executeStatements(m_direct, sqlStatements("dataio/results-sqlite.sql"));
        if (!failures.empty()) ADD_FAILURE() << failures;
    }

    const std::string& path() const { return m_path; }
    const TempFolder& folder() const { return m_folder; }
    // A connection of the test's own to the file, for checks behind the backend's back.
    const OdbcConnection& direct() const { return m_direct; }

private:
    TempFolder m_folder;
    std::string m_path;
    OdbcConnection m_direct;
};

// The DBF files of tests/data/dbf: codes.dbf (CASE N3, CODE C6, COUNT N5; nine records,
// the third deleted, the fifth with both keys empty, the ninth with an empty CASE),
// types.dbf (version 4, one field of each type; a full record, then a blank one) and
// values.dbf (NAME C8, OK L1, X N12.3, DAY D8; eight records of odd contents).
inline std::string dbfFile(const std::string& name) { return testData("dbf/" + name); }

// Header offsets of the fields a damaged file changes.
enum DbfHeaderField : std::size_t {
    kDbfRecordCount = 4,
    kDbfHeaderLength = 8,
    kDbfRecordLength = 10
};

// bytes with the little-endian header field at `at` (2 bytes, 4 for the count) set to value.
inline std::string patchedDbf(std::string bytes, std::size_t at, uint32_t value) {
    const std::size_t size = at == kDbfRecordCount ? 4 : 2;
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

// A DBF backend over files that a test writes into its own folder.
class DbfTableFixture : public testing::Test {
protected:
    std::string write(const std::string& bytes, const std::string& name = "table.dbf") {
        return m_folder.write(name, bytes);
    }

    // Opens table (a test's own, for its messages alone) on path.
    static bool openTable(CDbfTbl& table, const std::string& path) {
        CIoTableDescription description;
        description.tableName = path;
        description.kind = 7;
        return table.Open(description);
    }
    bool open(const std::string& path) { return openTable(m_table, path); }

    bool openBytes(const std::string& bytes) { return open(write(bytes)); }

    bool read(const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) {
        return m_table.Read(m_rows, keyColumns, keyValues, columns);
    }

    // Every message so far, one a line, each preceded by E (error) or W (warning).
    std::string messages() const { return messageLines(m_table.reporter().messages(), true); }

    const CIoCell& value(std::size_t row, std::size_t column) const {
        return *m_rows.at(row)->ValueCells().at(column);
    }

    TempFolder m_folder;
    CDbfTbl m_table;
    IoRowList m_rows;
};

}  // namespace testsupport
