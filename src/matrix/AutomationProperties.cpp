#include "AutomationProperties.h"

bool* automationBoolProperty(AutomationProperties& properties, int id) {
    switch (id) {
        case 1:
            return &properties.TARN;
        case 3:
            return &properties.RowDisplay;
        case 15:
            return &properties.AssumeUTF8;
        case 16:
            return &properties.FromAutomationClient;
        default:
            return nullptr;
    }
}

std::string* automationStringProperty(AutomationProperties& properties, int id) {
    switch (id) {
        case 2:
            return &properties.InitialSearchItem;
        case 4:
            return &properties.strDaoConnect;
        case 5:
            return &properties.strDaoDatabase;
        case 6:
            return &properties.strPrimalColTable;
        case 7:
            return &properties.strPrimalRowTable;
        case 8:
            return &properties.strRunIdTable;
        case 17:
            return &properties.strDatabaseConnectionType;
        case 18:
            return &properties.strDatabaseConnection;
        default:
            return nullptr;
    }
}
