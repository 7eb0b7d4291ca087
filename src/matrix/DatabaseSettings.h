#pragma once

#include <string>

// The results-database settings the open needs (the settings store fills them).
struct DatabaseSettings {
    std::string DatabaseType = "Access";  // "SqlServer" selects the server
    std::string AccessDatabaseName;
    std::string sqlServerConnectionString;  // built by the database options page
};
