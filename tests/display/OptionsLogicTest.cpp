#include <gtest/gtest.h>

#include <string>

#include "ControlHelp.h"
#include "DetailViewLogic.h"
#include "OptionsLogic.h"
#include "DisplayTestSupport.h"
#include "SubmatrixViewLogic.h"

namespace {

// The page's texts are what a user would type: no trailing zeros, exponents where shorter.
TEST(OptionsLogicTest, ShowsTheDocumentsSettingsAsTexts) {
    OptionsLogic options(DocumentSettings{}, "");
    const GeneralPageTexts texts = options.generalTexts();
    EXPECT_EQ(texts.decimals + " " + texts.largeCoef + " " + texts.smallCoef + " " +
                  texts.largeRatio,
              "5 10000000 1e-07 100000000");
    EXPECT_EQ(options.database().defaultFileName + " " + options.database().connectionType,
              "Results.mdb OLE-DB");
}

// The first failing field keeps the focus with the framework's message; the members stay.
TEST(OptionsLogicTest, RejectsFieldsOutOfRange) {
    OptionsLogic options(DocumentSettings{}, "");
    GeneralPageTexts texts = options.generalTexts();
    texts.decimals = "13";
    texts.smallCoef = "-1";
    std::optional<FieldError> error = options.exchangeGeneralPage(texts);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->controlId, controlid::kDecimals);
    texts.decimals = " 12 ";
    error = options.exchangeGeneralPage(texts);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->controlId, controlid::kSmallCoef);
    EXPECT_EQ(error->message, "Enter a number between 0 and 1e+20.");  // the limits as texts
    EXPECT_EQ(options.general().decimals, 5);
    texts.smallCoef = "2e20";
    EXPECT_EQ(options.exchangeGeneralPage(texts)->controlId, controlid::kSmallCoef);
    texts.smallCoef = "1e20";
    EXPECT_FALSE(options.exchangeGeneralPage(texts));
    EXPECT_EQ(options.general().decimals, 12);
    EXPECT_EQ(options.general().smallCoef, 1e20);
}

TEST(OptionsLogicTest, RejectsTextThatIsNoNumber) {
    OptionsLogic options(DocumentSettings{}, "");
    GeneralPageTexts texts = options.generalTexts();
    texts.decimals = "4x";
    EXPECT_EQ(options.exchangeGeneralPage(texts)->message, "Enter an integer.");
    texts.decimals = "+4";
    texts.largeRatio = "";
    const std::optional<FieldError> error = options.exchangeGeneralPage(texts);
    EXPECT_EQ(error->controlId, controlid::kLargeRatio);
    EXPECT_EQ(error->message, "Enter a number.");
    texts.largeRatio = "1,5";
    EXPECT_EQ(options.exchangeGeneralPage(texts)->message, "Enter a number.");
    texts.largeRatio = "+1.5e3";
    EXPECT_FALSE(options.exchangeGeneralPage(texts));
    EXPECT_EQ(options.general().decimals, 4);
    EXPECT_EQ(options.general().largeRatio, 1500.0);
}

TEST(OptionsLogicTest, RejectsALongFileName) {
    OptionsLogic options(DocumentSettings{}, "");
    const std::optional<FieldError> error = options.exchangeDatabasePage(std::string(257, 'a'));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->controlId, controlid::kDefaultFileName);
    EXPECT_EQ(error->message, "Enter no more than 256 characters.");
    EXPECT_FALSE(options.exchangeDatabasePage(std::string(256, 'a')));
}

TEST(OptionsLogicTest, FilterGroupEnablesTheChosenTestsEditOnly) {
    const FilterGroupEnabling off = OptionsLogic::filterGroupEnabling(false, 1);
    EXPECT_FALSE(off.radios || off.largeCoef || off.smallCoef || off.largeRatio ||
                 off.showAllColumns);
    const FilterGroupEnabling small = OptionsLogic::filterGroupEnabling(true, 1);
    EXPECT_TRUE(small.radios && small.smallCoef && small.showAllColumns);
    EXPECT_FALSE(small.largeCoef || small.largeRatio);
    EXPECT_TRUE(OptionsLogic::filterGroupEnabling(true, 2).largeRatio);
}

// A stored "ODBC" is not in the list: opening the page selects "OLE-DB" and takes it.
TEST(OptionsLogicTest, StoredOdbcShowsAsOleDbOnceThePageOpens) {
    DocumentSettings settings;
    settings.DatabaseConnectionType = "ODBC";
    settings.DatabaseType = "sqlserver";
    std::string connection = "DSN=x";
    const OptionsLogic unopened(settings, connection);
    unopened.Ok(settings, connection);
    EXPECT_EQ(settings.DatabaseConnectionType, "ODBC");

    OptionsLogic options(settings, connection);
    const DatabasePageState page = options.openDatabasePage();
    EXPECT_EQ(page.radio, 1);
    EXPECT_EQ(page.connectionTypes, std::vector<std::string>{"OLE-DB"});
    EXPECT_EQ(page.selectedType, 0);
    EXPECT_EQ(options.database().connectionType, "OLE-DB");
    EXPECT_TRUE(options.connectionBuiltWithDataLink());
    options.Ok(settings, connection);
    EXPECT_EQ(settings.DatabaseConnectionType, "OLE-DB");
    EXPECT_EQ(settings.DatabaseType, "sqlserver");
}

TEST(OptionsLogicTest, OkReplacesEmptyValuesAndCopiesTheRest) {
    DocumentSettings settings;
    std::string connection = "old";
    OptionsLogic options(settings, connection);
    options.openDatabasePage();
    options.databaseKindClicked(1);
    DatabasePageValues& database = options.database();
    database.defaultFileName.clear();
    database.connectionType.clear();
    database.connectionString = "Provider=SQLOLEDB;Data Source=db";
    options.general().filterOn = true;
    options.general().toleranceSel = 2;
    options.Ok(settings, connection);
    EXPECT_EQ(settings.DatabaseType, "SqlServer");
    EXPECT_EQ(settings.AccessDatabaseName, "Results.mdb");
    EXPECT_EQ(settings.DatabaseConnectionType, "OLE-DB");
    EXPECT_EQ(connection, "Provider=SQLOLEDB;Data Source=db");
    EXPECT_EQ(settings.Filter, 1);
    EXPECT_EQ(settings.ToleranceSel, 2);
    options.databaseKindClicked(0);
    options.database().databaseType.clear();
    options.Ok(settings, connection);
    EXPECT_EQ(settings.DatabaseType, "Access");
}

TEST(OptionsLogicTest, ConnectionTypeAndDataLinkRules) {
    OptionsLogic options(DocumentSettings{}, "");
    options.connectionTypeSelected("ole-db");  // differs only in case: kept
    EXPECT_EQ(options.database().connectionType, "OLE-DB");
    options.connectionTypeSelected("ODBC");
    EXPECT_EQ(options.database().connectionType, "ODBC");
    EXPECT_FALSE(options.connectionBuiltWithDataLink());
    EXPECT_EQ(OptionsLogic::dataLinkStartString(""), "Provider=SQLOLEDB;");
    EXPECT_EQ(OptionsLogic::dataLinkStartString("DSN=a"), "DSN=a");
}

class ConfirmOptionsTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override {
        openModel(displaytest::model("filter.mps"));
        detail.OnInitialUpdate();
        detail.selectName(detail.nameList().indexOf("TIE"));
    }

    DetailViewLogic detail{doc};
    SubmatrixViewLogic submatrix{doc};
};

// Cancel is the sheet going away without Ok: nothing of the document changes.
TEST_F(ConfirmOptionsTest, CancelLeavesEverythingAsItWas) {
    doc.databaseSettings().sqlServerConnectionString = "DSN=keep";
    const DocumentSettings before = doc.settings();
    {
        OptionsLogic options(doc.settings(), doc.databaseSettings().sqlServerConnectionString);
        options.general().decimals = 1;
        options.openDatabasePage();
        options.database().connectionString = "DSN=other";
        options.databaseKindClicked(1);
    }
    EXPECT_EQ(doc.settings().Decimals, before.Decimals);
    EXPECT_EQ(doc.settings().DatabaseType, before.DatabaseType);
    EXPECT_EQ(doc.databaseSettings().sqlServerConnectionString, "DSN=keep");
}

// Filter off: the detail view keeps its row with the new format and the grid is redrawn as
// it was, in the new format.
TEST_F(ConfirmOptionsTest, OkWithFilterOffRedrawsUnchanged) {
    ASSERT_TRUE(submatrix.AddRows({"TIE"}));
    OptionsLogic options(doc.settings(), "");
    options.general().decimals = 1;
    ASSERT_TRUE(ConfirmOptions(options, doc, detail, submatrix));
    EXPECT_EQ(detail.selectedNameText(), "TIE");
    EXPECT_EQ(detail.content().L2, "RHS Value: -0.5");
    EXPECT_EQ(submatrix.grid().lineCount(), 1u);
    EXPECT_EQ(submatrix.grid().cell(0, 1), "7.0");
}

TEST_F(ConfirmOptionsTest, OkWithFilterOnReplacesTheSubmatrix) {
    ASSERT_TRUE(submatrix.AddRows({"OBJ"}));
    OptionsLogic options(doc.settings(), "");
    options.general().filterOn = true;
    options.general().toleranceSel = 2;
    ASSERT_TRUE(ConfirmOptions(options, doc, detail, submatrix));
    EXPECT_EQ(displaytest::describe(submatrix.submatrix()),
              (displaytest::Lines{"RATIO L 0.000000", "TIE G -0.500000", "X: RATIO=1 TIE=2",
                                        "Y: RATIO=1e+08 TIE=2", "Z: TIE=4e+08"}));
}

// An edit with a help context but no text gets the shared fallback (""), other controls
// no help at all.
TEST(ControlHelpTest, TextsByDialogAndControl) {
    EXPECT_EQ(controlHelp(HelpDialog::kFind, controlid::kIgnoreCase),
              "If checked, search in a case insensitive manner.");
    EXPECT_EQ(controlHelp(HelpDialog::kOptionsGeneral, controlid::kLargeCoef), "");
    EXPECT_FALSE(controlHelp(HelpDialog::kOptionsGeneral, controlid::kFilterOn));
    EXPECT_FALSE(controlHelp(HelpDialog::kOptionsDatabase, controlid::kDefaultFileName));
    EXPECT_FALSE(controlHelp(HelpDialog::kOptionsGeneral, controlid::kIgnoreCase));
}

}  // namespace
