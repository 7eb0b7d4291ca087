#pragma once

#include <functional>
#include <string>

// The file-based drivers this program knows: they open (and would create) the file that the
// connect string or its data source names.
enum class FileDatabaseDriver { kNone, kSqlite, kMdbTools };

// Where an ODBC connect string leads, as far as a file is concerned.
struct ConnectTarget {
    FileDatabaseDriver driver = FileDatabaseDriver::kNone;
    std::string file;  // the database file named, empty when none is
};

// Reads one value of an ini file the driver manager keeps ("odbc.ini" for data sources,
// "odbcinst.ini" for drivers); empty when absent.
using OdbcProfileReader = std::function<std::string(
    const std::string& section, const std::string& key, const std::string& file)>;

// The driver manager's own reading (user and system files, ODBCINI and ODBCSYSINI honoured).
std::string readOdbcProfile(const std::string& section, const std::string& key,
                            const std::string& file);

// The driver a connect string reaches (its DRIVER, or the Driver of its data source) and the
// database file it names (the string's own keyword first, else the data source's).
ConnectTarget connectTarget(const std::string& odbcConnect,
                            const OdbcProfileReader& profile = readOdbcProfile);

// Why the string must not reach its driver: a file-based driver whose file is not named, does
// not exist or is not a regular file, since the driver would create it or block on it. Empty
// when it may connect.
std::string databaseFileProblem(const ConnectTarget& target);
