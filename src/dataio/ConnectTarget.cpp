#include "ConnectTarget.h"

#include <odbcinst.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "AsciiCase.h"
#include "ConnectionString.h"

namespace {

bool containsIgnoreCase(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (equalsIgnoreAsciiCase(text.substr(i, part.size()), part)) return true;
    return false;
}

// A driver is told by its registered name and by the library that name stands for (or the
// library path given in place of a name).
FileDatabaseDriver classifyDriver(const std::string& driver, const OdbcProfileReader& profile) {
    if (driver.empty()) return FileDatabaseDriver::kNone;
    const std::string identity = driver + " " + profile(driver, "Driver", "odbcinst.ini");
    if (containsIgnoreCase(identity, "mdb") ||
        containsIgnoreCase(identity, "Microsoft Access Driver"))
        return FileDatabaseDriver::kMdbTools;
    if (containsIgnoreCase(identity, "sqlite")) return FileDatabaseDriver::kSqlite;
    return FileDatabaseDriver::kNone;
}

// The keywords under which a driver takes its file, in the order it reads them.
std::initializer_list<const char*> fileKeywords(FileDatabaseDriver driver) {
    static constexpr std::initializer_list<const char*> kSqlite = {"Database"};
    static constexpr std::initializer_list<const char*> kMdb = {"DBQ", "Database"};
    return driver == FileDatabaseDriver::kSqlite ? kSqlite : kMdb;
}

}  // namespace

std::string readOdbcProfile(const std::string& section, const std::string& key,
                            const std::string& file) {
    char value[4096] = {};
    const int length = SQLGetPrivateProfileString(section.c_str(), key.c_str(), "", value,
                                                  sizeof(value), file.c_str());
    return length > 0 ? std::string(value) : std::string();
}

ConnectTarget connectTarget(const std::string& odbcConnect, const OdbcProfileReader& profile) {
    const ConnectionString odbc = ConnectionString::parse(odbcConnect);
    const std::string dataSource = odbc.find("DSN").value_or("");
    std::string driver = odbc.find("DRIVER").value_or("");
    if (driver.empty() && !dataSource.empty()) driver = profile(dataSource, "Driver", "odbc.ini");
    ConnectTarget target;
    target.driver = classifyDriver(driver, profile);
    if (target.driver == FileDatabaseDriver::kNone) return target;
    for (const char* keyword : fileKeywords(target.driver)) {
        if (auto file = odbc.find(keyword); file && !file->empty()) {
            target.file = *file;
            return target;
        }
    }
    if (dataSource.empty()) return target;
    for (const char* keyword : fileKeywords(target.driver)) {
        target.file = profile(dataSource, keyword, "odbc.ini");
        if (!target.file.empty()) return target;
    }
    return target;
}

std::string databaseFileProblem(const ConnectTarget& target) {
    if (target.driver == FileDatabaseDriver::kNone) return {};
    if (target.file.empty())
        return "The connection names no database file, and the driver would make one.";
    struct stat status {};
    if (::stat(target.file.c_str(), &status) != 0) {
        if (errno == ENOENT) return "The database file \"" + target.file + "\" does not exist.";
        return "The database file \"" + target.file +
               "\" cannot be opened: " + std::strerror(errno) + ".";
    }
    if (!S_ISREG(status.st_mode))
        return "The database file \"" + target.file +
               "\" is not a regular file (a folder, device or pipe).";
    return {};
}
