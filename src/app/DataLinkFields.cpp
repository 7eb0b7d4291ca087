#include "DataLinkFields.h"

#include <initializer_list>
#include <string_view>

#include "AsciiCase.h"
#include "ConnectionString.h"

namespace {

bool isSqlServerProvider(std::string_view provider) {
    return startsWithIgnoreAsciiCase(provider, "SQLOLEDB") ||
           startsWithIgnoreAsciiCase(provider, "SQLNCLI") ||
           startsWithIgnoreAsciiCase(provider, "MSOLEDBSQL");
}

void setOrErase(ConnectionString& text, std::string_view key, const std::string& value) {
    if (value.empty())
        text.erase(key);
    else
        text.set(key, value);
}

void eraseAll(ConnectionString& text, std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys) text.erase(key);
}

}  // namespace

DataLinkFields readDataLinkFields(const std::string& connectionString) {
    const ConnectionString text = ConnectionString::parse(connectionString);
    DataLinkFields fields;
    const std::string provider = text.find("Provider").value_or("");
    fields.driver =
        isSqlServerProvider(provider) ? kSqlServerOdbcDriver : text.find("Driver").value_or("");
    fields.server = text.findAny({"Data Source", "Server", "Address", "Addr"}).value_or("");
    fields.database = text.findAny({"Initial Catalog", "Database"}).value_or("");
    fields.user = text.findAny({"User ID", "UserId", "UID", "User"}).value_or("");
    fields.password = text.findAny({"Password", "PWD"}).value_or("");
    return fields;
}

std::string writeDataLinkFields(const std::string& connectionString, const DataLinkFields& fields) {
    ConnectionString text = ConnectionString::parse(connectionString);
    eraseAll(text, {"Address", "Addr", "UserId", "UID", "User", "PWD"});
    const bool sqlServer =
        fields.driver.empty() || equalsIgnoreAsciiCase(fields.driver, kSqlServerOdbcDriver);
    if (sqlServer) {
        if (!isSqlServerProvider(text.find("Provider").value_or("")))
            text.set("Provider", "SQLOLEDB");
        eraseAll(text, {"Driver", "Server", "Database"});
        setOrErase(text, "Data Source", fields.server);
        setOrErase(text, "Initial Catalog", fields.database);
    } else {
        text.set("Provider", "MSDASQL");
        eraseAll(text, {"Data Source", "Initial Catalog"});
        text.set("Driver", fields.driver);
        setOrErase(text, "Server", fields.server);
        setOrErase(text, "Database", fields.database);
    }
    setOrErase(text, "User ID", fields.user);
    setOrErase(text, "Password", fields.password);
    std::string written = text.write();
    // The provider's own form ends with ";", as the dialog's start string does.
    if (!written.empty() && written.back() != ';') written += ';';
    return written;
}
