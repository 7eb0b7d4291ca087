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
    // Whether the program ends when its last automation client lets go; SetUserCtrl(true)
    // clears it so that the window stays for the user.
    bool closeOnRelease = true;
};

// The storage of a boolean or string property by its dispatch id; null when the id names no
// property of that type.
bool* automationBoolProperty(AutomationProperties& properties, int id);
std::string* automationStringProperty(AutomationProperties& properties, int id);
