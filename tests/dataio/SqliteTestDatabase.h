#pragma once

#include <string>

#include "OdbcConnection.h"
#include "TempFolder.h"

namespace testsupport {

// A fresh SQLite results database in a temporary folder, made through the SQLite3 ODBC
// driver and removed with the folder.
class SqliteTestDatabase {
public:
    SqliteTestDatabase();

    const std::string& path() const { return m_path; }
    const TempFolder& folder() const { return m_folder; }
    // The Windows Access driver's connect string for the file, as the solution path writes it.
    std::string accessConnect() const;
    // A connection of the test's own to the file, for checks behind the backend's back.
    const OdbcConnection& direct() const { return m_direct; }

private:
    TempFolder m_folder;
    std::string m_path;
    OdbcConnection m_direct;
};

}  // namespace testsupport
