#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CNorvaDoc.h"
#include "DetailViewLogic.h"
#include "DocumentSettings.h"
#include "OptionsValidation.h"
#include "SubmatrixViewLogic.h"

// The General page's members.
struct GeneralPageValues {
    int decimals = 0;
    bool alwaysScientific = false;
    std::string loomHostName;  // shown and carried, never edited
    std::string loomProcessName;
    bool filterOn = false;
    double largeCoef = 0.0;
    double smallCoef = 0.0;
    double largeRatio = 0.0;
    int toleranceSel = 0;
    bool showAllColumns = false;
};

// The Database page's members.
struct DatabasePageValues {
    int databaseKind = 0;  // 0 Access, 1 Sql Server
    std::string defaultFileName;
    std::string databaseType;  // "Access" or "SqlServer", in step with databaseKind
    std::string connectionString;
    std::string connectionType;
};

// The texts of the General page's validated edits, as typed.
struct GeneralPageTexts {
    std::string decimals;
    std::string largeCoef;
    std::string smallCoef;
    std::string largeRatio;
};

// Which of the filter group's controls are enabled.
struct FilterGroupEnabling {
    bool radios = false;  // the three test radio buttons
    bool largeCoef = false;
    bool smallCoef = false;
    bool largeRatio = false;
    bool showAllColumns = false;
};

// The Database page as it opens: the radio index, the connection-type list and its selection.
struct DatabasePageState {
    int radio = 0;
    std::vector<std::string> connectionTypes;
    int selectedType = -1;
};

// The Program Options sheet without its widgets. It edits copies of the document's settings
// (and of the run's connection string); only Ok() copies them back, so Cancel is simply not
// calling it. The Database page's opening rules apply only once that page has been opened.
class OptionsLogic {
public:
    OptionsLogic(const DocumentSettings& settings, const std::string& connectionString);

    GeneralPageValues& general() { return m_general; }
    DatabasePageValues& database() { return m_database; }
    // The General page's edit texts for its members, as the page shows them.
    GeneralPageTexts generalTexts() const;

    // "Filter Tolerance" and the radio rule: the edit of the chosen test only.
    static FilterGroupEnabling filterGroupEnabling(bool filterOn, int toleranceSel);

    // Reads and validates the General page's edits into the members; the first failing field
    // (decimals 0 to 12, each tolerance 0 to 1e20, disabled or not) and its message otherwise,
    // with the members unchanged.
    std::optional<FieldError> exchangeGeneralPage(const GeneralPageTexts& texts);
    // The Database page's file name: at most 256 characters.
    std::optional<FieldError> exchangeDatabasePage(const std::string& defaultFileName);

    // The Database page is opened: radio from the type, the list holding only "OLE-DB", and
    // the member connection type taken from the list's selection.
    DatabasePageState openDatabasePage();
    void databaseKindClicked(int radio);
    void connectionTypeSelected(const std::string& listText);
    // "...": whether the data-link dialog builds the string (connection type "OLE-DB"), and
    // the string it starts from: "Provider=SQLOLEDB;" for an empty one.
    bool connectionBuiltWithDataLink() const { return m_database.connectionType == "OLE-DB"; }
    static std::string dataLinkStartString(const std::string& current);

    // OK: copies every value back, an empty file name as "Results.mdb", an empty database
    // type as "Access", an empty connection type as "OLE-DB"; the connection string as it is.
    void Ok(DocumentSettings& settings, std::string& connectionString) const;

private:
    GeneralPageValues m_general;
    DatabasePageValues m_database;
};

// OK on the sheet, all of it: the values go to the document, the detail view rebuilds keeping
// its selection, then the filter runs (filter on) or the submatrix is redrawn unchanged with
// the new number settings. Returns whether the submatrix grid was redrawn.
bool ConfirmOptions(const OptionsLogic& options, CNorvaDoc& doc, DetailViewLogic& detail,
                    SubmatrixViewLogic& submatrix);
