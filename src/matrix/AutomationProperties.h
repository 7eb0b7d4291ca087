#pragma once

#include <string>

// Properties an automation client sets on the document before it opens a matrix; they also
// carry the results-database choice made by the open itself.
struct AutomationProperties {
    bool TARN = true;
    std::string InitialSearchItem;
    bool RowDisplay = true;
    std::string strDaoConnect;
    std::string strDaoDatabase;
    std::string strPrimalColTable;
    std::string strPrimalRowTable;
    std::string strRunIdTable;
    bool FromAutomationClient = false;
    std::string strDatabaseConnectionType;
    std::string strDatabaseConnection;
    bool AssumeUTF8 = false;
};
