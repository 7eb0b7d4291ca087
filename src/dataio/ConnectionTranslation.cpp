#include "ConnectionTranslation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "AsciiCase.h"
#include "ConnectionString.h"

namespace {

constexpr const char* kAccessDriverNames[] = {"Microsoft Access Driver (*.mdb, *.accdb)",
                                              "Microsoft Access Driver (*.mdb)"};

bool isInstalled(const std::vector<std::string>& drivers, std::string_view name) {
    return std::any_of(drivers.begin(), drivers.end(),
                       [name](const std::string& d) { return equalsIgnoreAsciiCase(d, name); });
}

// The first of names that is installed, else the driver library (unixODBC takes a path).
std::string pickDriver(const std::vector<std::string>& drivers,
                       std::initializer_list<std::string_view> names, const char* library) {
    for (std::string_view name : names)
        if (isInstalled(drivers, name)) return std::string(name);
    return library;
}

bool containsIgnoreCase(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (equalsIgnoreAsciiCase(text.substr(i, part.size()), part)) return true;
    return false;
}

OdbcConnectPlan failure(std::string text) { return OdbcConnectPlan{{}, false, std::move(text)}; }

bool isAccessDriverName(std::string_view driver) {
    return std::any_of(std::begin(kAccessDriverNames), std::end(kAccessDriverNames),
                       [driver](const char* name) { return equalsIgnoreAsciiCase(driver, name); });
}

// The Access-driver string rewritten for the driver that reads the file DBQ names.
OdbcConnectPlan accessFileConnect(ConnectionString odbc, const std::vector<std::string>& drivers) {
    const auto path = odbc.find("DBQ");
    if (!path || path->empty()) return failure("The connection names no database file (DBQ=).");
    switch (databaseFileKind(*path)) {
        case DatabaseFileKind::kMissing:
            return failure("The database file \"" + *path + "\" does not exist.");
        case DatabaseFileKind::kUnknown:
            return failure("The database file \"" + *path +
                           "\" is neither an Access nor a SQLite database.");
        case DatabaseFileKind::kSqlite:
            odbc.erase("DBQ");
            odbc.set("DRIVER", pickDriver(drivers, {"SQLite3"}, "libsqlite3odbc.so"));
            odbc.set("Database", *path);
            break;
        case DatabaseFileKind::kAccess:
            odbc.set("DRIVER", pickDriver(drivers, {"MDBTools"}, "libmdbodbc.so"));
            break;
    }
    return OdbcConnectPlan{odbc.write(), false, {}};
}

void mapCredentials(ConnectionString& odbc, const ConnectionString& ado, const std::string& user,
                    const std::string& password) {
    const auto adoUser = ado.findAny({"User ID", "UserId", "UID", "User"});
    const auto adoPassword = ado.findAny({"Password", "PWD"});
    for (auto key : {"User ID", "UserId", "User", "Password"}) odbc.erase(key);
    if (!user.empty()) {
        odbc.set("UID", user);
    } else if (adoUser) {
        odbc.set("UID", *adoUser);
    }
    if (!password.empty()) {
        odbc.set("PWD", password);
    } else if (adoPassword) {
        odbc.set("PWD", *adoPassword);
    }
}

// "host,port", "host\instance" or "tcp:host" split into FreeTDS's Server and Port.
void setSqlServerAddress(ConnectionString& odbc, std::string address) {
    if (startsWithIgnoreAsciiCase(address, "tcp:")) address.erase(0, 4);
    const std::size_t comma = address.find(',');
    if (comma != std::string::npos) {
        odbc.set("Port", address.substr(comma + 1));
        address.erase(comma);
    }
    odbc.set("Server", address);
}

OdbcConnectPlan sqlServerConnect(const ConnectionString& ado,
                                 const std::vector<std::string>& drivers) {
    ConnectionString odbc;
    odbc.set("DRIVER", pickDriver(drivers, {"FreeTDS"}, "libtdsodbc.so"));
    if (auto address = ado.findAny({"Data Source", "Server", "Address", "Addr"}))
        setSqlServerAddress(odbc, *address);
    if (auto database = ado.findAny({"Initial Catalog", "Database"}))
        odbc.set("Database", *database);
    return OdbcConnectPlan{odbc.write(), false, {}};
}

OdbcConnectPlan postgresConnect(const ConnectionString& ado,
                                const std::vector<std::string>& drivers) {
    ConnectionString odbc;
    odbc.set("DRIVER", pickDriver(drivers, {"PostgreSQL Unicode"}, "psqlodbcw.so"));
    if (auto host = ado.findAny({"Data Source", "Server", "Host"})) odbc.set("Server", *host);
    if (auto port = ado.find("Port")) odbc.set("Port", *port);
    if (auto database = ado.findAny({"Location", "Initial Catalog", "Database"}))
        odbc.set("Database", *database);
    return OdbcConnectPlan{odbc.write(), false, {}};
}

// MSDASQL, or no provider: the string already speaks ODBC, perhaps in Extended Properties.
ConnectionString passThrough(const ConnectionString& ado) {
    if (auto extended = ado.find("Extended Properties")) return ConnectionString::parse(*extended);
    ConnectionString odbc = ado;
    odbc.erase("Provider");
    if (!odbc.contains("DRIVER") && !odbc.contains("DSN")) {
        if (auto source = odbc.find("Data Source")) odbc.set("DSN", *source);
    }
    odbc.erase("Data Source");
    return odbc;
}

// ADO's PostgreSQL providers report booleans as booleans; psqlODBC reports them as text
// unless told otherwise.
void reportBooleansAsBits(ConnectionString& odbc) {
    const auto driver = odbc.find("DRIVER");
    if (!driver || odbc.contains("BoolsAsChar")) return;
    if (containsIgnoreCase(*driver, "PostgreSQL") || containsIgnoreCase(*driver, "psqlodbc"))
        odbc.set("BoolsAsChar", "0");
}

}  // namespace

// Only a regular file is read: opening a FIFO named in a connection string would wait for a
// writer forever, and a device may never end.
DatabaseFileKind databaseFileKind(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return DatabaseFileKind::kMissing;
    struct stat info {};
    char head[20] = {};
    ssize_t got = -1;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) got = ::pread(fd, head, sizeof head, 0);
    ::close(fd);
    if (got >= 16 && std::memcmp(head, "SQLite format 3\0", 16) == 0)
        return DatabaseFileKind::kSqlite;
    if (got >= 19 && (std::memcmp(head + 4, "Standard Jet DB", 15) == 0 ||
                      std::memcmp(head + 4, "Standard ACE DB", 15) == 0))
        return DatabaseFileKind::kAccess;
    return DatabaseFileKind::kUnknown;
}

OdbcConnectPlan translateOdbcConnect(std::string_view connect,
                                     const std::vector<std::string>& installedDrivers) {
    if (startsWithIgnoreAsciiCase(connect, "ODBC;")) connect.remove_prefix(5);
    const ConnectionString odbc = ConnectionString::parse(connect);
    if (odbc.entries().empty()) return failure("The connection string is empty.");
    if (connect.find('=') == std::string_view::npos)
        return OdbcConnectPlan{"DSN=" + odbc.entries().front().first, true, {}};
    const auto driver = odbc.find("DRIVER");
    if (!driver) {
        const bool named = odbc.contains("DSN") || odbc.contains("FILEDSN");
        return OdbcConnectPlan{std::string(connect), named, {}};
    }
    if (isAccessDriverName(*driver) && !isInstalled(installedDrivers, *driver))
        return accessFileConnect(odbc, installedDrivers);
    return OdbcConnectPlan{std::string(connect), false, {}};
}

OdbcConnectPlan translateAdoConnect(std::string_view adoConnect, const std::string& user,
                                    const std::string& password,
                                    const std::vector<std::string>& installedDrivers) {
    const ConnectionString ado = ConnectionString::parse(adoConnect);
    if (ado.entries().empty()) return failure("The connection string is empty.");
    const std::string provider = ado.find("Provider").value_or("");
    ConnectionString odbc;
    if (startsWithIgnoreAsciiCase(provider, "SQLOLEDB") ||
        startsWithIgnoreAsciiCase(provider, "SQLNCLI") ||
        startsWithIgnoreAsciiCase(provider, "MSOLEDBSQL")) {
        odbc = ConnectionString::parse(sqlServerConnect(ado, installedDrivers).connect);
    } else if (startsWithIgnoreAsciiCase(provider, "Microsoft.ACE.OLEDB") ||
               startsWithIgnoreAsciiCase(provider, "Microsoft.Jet.OLEDB")) {
        odbc.set("DRIVER", kAccessDriverNames[0]);
        odbc.set("DBQ", ado.find("Data Source").value_or(""));
    } else if (startsWithIgnoreAsciiCase(provider, "PostgreSQL")) {
        odbc = ConnectionString::parse(postgresConnect(ado, installedDrivers).connect);
    } else if (provider.empty() || startsWithIgnoreAsciiCase(provider, "MSDASQL")) {
        odbc = passThrough(ado);
    } else {
        return failure("The provider \"" + provider + "\" has no ODBC driver on this system.");
    }
    mapCredentials(odbc, ado, user, password);
    reportBooleansAsBits(odbc);
    return translateOdbcConnect(odbc.write(), installedDrivers);
}
