#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ControlHelp.h"
#include "OptionsLogic.h"

namespace {

// The first failing field of the page keeps the focus with the framework's message; the
// members change only when every field is good.
TEST(OptionsLogicTest, RejectsTheFirstBadFieldAndTakesTheDatabasePagesChoices) {
    OptionsLogic options(DocumentSettings{}, "");
    GeneralPageTexts texts = options.generalTexts();
    using T = GeneralPageTexts;
    const char* const range = "Enter a number between 0 and 1e+20.";
    const char* const number = "Enter a number.";
    // The field, its text, the control that keeps the focus (0: the page is taken), message.
    const std::tuple<std::string T::*, const char*, int, const char*> steps[] = {
        {&T::smallCoef, "-1", controlid::kSmallCoef, range},
        {&T::decimals, "13", controlid::kDecimals, "Enter an integer between 0 and 12."},
        {&T::decimals, "4x", controlid::kDecimals, "Enter an integer."},
        {&T::decimals, " 12 ", controlid::kSmallCoef, range},
        {&T::smallCoef, "2e20", controlid::kSmallCoef, range},
        {&T::smallCoef, "1e20", 0, ""},
        {&T::largeRatio, "", controlid::kLargeRatio, number},
        {&T::largeRatio, "1,5", controlid::kLargeRatio, number},
        {&T::decimals, "+4", controlid::kLargeRatio, number},
        {&T::largeRatio, "+1.5e3", 0, ""},
    };
    for (const auto& [field, text, control, message] : steps) {
        SCOPED_TRACE(text);
        texts.*field = text;
        const int before = options.general().decimals;
        const std::optional<FieldError> error = options.exchangeGeneralPage(texts);
        EXPECT_EQ(error ? error->controlId : 0, control);
        if (!error) continue;
        EXPECT_EQ(options.general().decimals, before);
        EXPECT_EQ(error->message, message);
    }
    const auto& general = options.general();
    EXPECT_EQ(std::tie(general.decimals, general.smallCoef, general.largeRatio),
              std::tuple(4, 1e20, 1500.0));
    const std::optional<FieldError> error = options.exchangeDatabasePage(std::string(257, 'a'));
    ASSERT_TRUE(error);
    EXPECT_EQ(std::tie(error->controlId, error->message),
              std::tuple(controlid::kDefaultFileName, "Enter no more than 256 characters."));
    EXPECT_FALSE(options.exchangeDatabasePage(std::string(256, 'a')));
    // A stored "ODBC" is not in the page's list: opening the page selects and takes "OLE-DB".
    // The kind's radio names the database type; a chosen type and the data link's start string.
    DocumentSettings settings;
    settings.DatabaseConnectionType = "ODBC";
    settings.DatabaseType = "sqlserver";
    std::string connection = "DSN=x";
    OptionsLogic odbc(settings, connection);
    const DatabasePageState page = odbc.openDatabasePage();
    EXPECT_EQ(std::tie(page.radio, page.connectionTypes, page.selectedType),
              std::tuple(1, std::vector<std::string>{"OLE-DB"}, 0));
    odbc.databaseKindClicked(0);
    odbc.Ok(settings, connection);
    EXPECT_EQ(settings.DatabaseConnectionType + " " + settings.DatabaseType, "OLE-DB Access");

    OptionsLogic fresh(DocumentSettings{}, "");
    fresh.connectionTypeSelected("ole-db");  // differs only in case: kept
    EXPECT_EQ(fresh.database().connectionType, "OLE-DB");
    fresh.connectionTypeSelected("ODBC");
    EXPECT_EQ(fresh.database().connectionType, "ODBC");
    EXPECT_FALSE(fresh.connectionBuiltWithDataLink());
    EXPECT_EQ(OptionsLogic::dataLinkStartString(""), "Provider=SQLOLEDB;");
    EXPECT_EQ(OptionsLogic::dataLinkStartString("DSN=a"), "DSN=a");
}

}  // namespace
