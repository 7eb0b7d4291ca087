#include "OdbcDrivers.h"

#include "OdbcHandles.h"

std::vector<std::string> installedOdbcDrivers(void* environment) {
    std::vector<std::string> names;
    SQLCHAR name[256];
    SQLCHAR attributes[1024];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (odbcSucceeded(SQLDrivers(environment, direction, name, sizeof(name), &nameLength,
                                    attributes, sizeof(attributes), &attributesLength))) {
        names.emplace_back(reinterpret_cast<const char*>(name));
        direction = SQL_FETCH_NEXT;
    }
    return names;
}

std::vector<std::string> installedOdbcDrivers() {
    try {
        const OdbcHandle environment = makeOdbcEnvironment();
        return installedOdbcDrivers(environment.get());
    } catch (const OdbcFailure&) {
        return {};
    }
}
