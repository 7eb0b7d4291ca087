#include "OptionsLogic.h"

#include <cstddef>

#include "AsciiCase.h"
#include "ControlHelp.h"

namespace {

constexpr int kMaxDecimals = 12;
constexpr double kMaxTolerance = 1e20;
constexpr std::size_t kMaxFileNameChars = 256;
constexpr const char* kOleDb = "OLE-DB";

}  // namespace

OptionsLogic::OptionsLogic(const DocumentSettings& settings, const std::string& connectionString)
    : m_general{settings.Decimals,     settings.AlwaysUseScientific != 0,
                settings.LoomHostName, settings.LoomProcessName,
                settings.Filter != 0,  settings.LargeCoef,
                settings.SmallCoef,    settings.LargeRatio,
                settings.ToleranceSel, settings.ShowAllColumns != 0},
      m_database{0, settings.AccessDatabaseName, settings.DatabaseType, connectionString,
                 settings.DatabaseConnectionType} {}

GeneralPageTexts OptionsLogic::generalTexts() const {
    return {std::to_string(m_general.decimals), numberFieldText(m_general.largeCoef),
            numberFieldText(m_general.smallCoef), numberFieldText(m_general.largeRatio)};
}

FilterGroupEnabling OptionsLogic::filterGroupEnabling(bool filterOn, int toleranceSel) {
    if (!filterOn) return {};
    return {true, toleranceSel == 0, toleranceSel == 1, toleranceSel == 2, true};
}

std::optional<FieldError> OptionsLogic::exchangeGeneralPage(const GeneralPageTexts& texts) {
    std::string message;
    const std::optional<int> decimals = parseIntegerField(texts.decimals, 0, kMaxDecimals, message);
    if (!decimals) return FieldError{controlid::kDecimals, message};
    const std::pair<const std::string*, int> tolerances[] = {
        {&texts.largeCoef, controlid::kLargeCoef},
        {&texts.smallCoef, controlid::kSmallCoef},
        {&texts.largeRatio, controlid::kLargeRatio}};
    double values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> value =
            parseNumberField(*tolerances[i].first, 0.0, kMaxTolerance, message);
        if (!value) return FieldError{tolerances[i].second, message};
        values[i] = *value;
    }
    m_general.decimals = *decimals;
    m_general.largeCoef = values[0];
    m_general.smallCoef = values[1];
    m_general.largeRatio = values[2];
    return std::nullopt;
}

std::optional<FieldError> OptionsLogic::exchangeDatabasePage(const std::string& defaultFileName) {
    std::string message;
    if (!checkTextLength(defaultFileName, kMaxFileNameChars, message))
        return FieldError{controlid::kDefaultFileName, message};
    m_database.defaultFileName = defaultFileName;
    return std::nullopt;
}

DatabasePageState OptionsLogic::openDatabasePage() {
    DatabasePageState state;
    state.radio = equalsIgnoreAsciiCase(m_database.databaseType, "SqlServer") ? 1 : 0;
    m_database.databaseKind = state.radio;
    // The list holds one entry, so whatever the stored type, "OLE-DB" is the one selected.
    state.connectionTypes = {kOleDb};
    state.selectedType = 0;
    connectionTypeSelected(state.connectionTypes[0]);
    return state;
}

void OptionsLogic::databaseKindClicked(int radio) {
    m_database.databaseKind = radio;
    m_database.databaseType = radio == 1 ? "SqlServer" : "Access";
}

void OptionsLogic::connectionTypeSelected(const std::string& listText) {
    if (!equalsIgnoreAsciiCase(listText, m_database.connectionType))
        m_database.connectionType = listText;
}

std::string OptionsLogic::dataLinkStartString(const std::string& current) {
    return current.empty() ? "Provider=SQLOLEDB;" : current;
}

void OptionsLogic::Ok(DocumentSettings& settings, std::string& connectionString) const {
    settings.Decimals = m_general.decimals;
    settings.AlwaysUseScientific = m_general.alwaysScientific ? 1 : 0;
    settings.LoomHostName = m_general.loomHostName;
    settings.LoomProcessName = m_general.loomProcessName;
    settings.Filter = m_general.filterOn ? 1 : 0;
    settings.LargeCoef = m_general.largeCoef;
    settings.SmallCoef = m_general.smallCoef;
    settings.LargeRatio = m_general.largeRatio;
    settings.ToleranceSel = m_general.toleranceSel;
    settings.ShowAllColumns = m_general.showAllColumns ? 1 : 0;
    settings.AccessDatabaseName =
        m_database.defaultFileName.empty() ? "Results.mdb" : m_database.defaultFileName;
    settings.DatabaseType = m_database.databaseType.empty() ? "Access" : m_database.databaseType;
    settings.DatabaseConnectionType =
        m_database.connectionType.empty() ? kOleDb : m_database.connectionType;
    connectionString = m_database.connectionString;
}

bool ConfirmOptions(const OptionsLogic& options, CNorvaDoc& doc, DetailViewLogic& detail,
                    SubmatrixViewLogic& submatrix) {
    options.Ok(doc.settings(), doc.databaseSettings().sqlServerConnectionString);
    doc.SettingsChanged();
    detail.Rebuild(std::string());
    if (doc.settings().Filter != 0) return submatrix.Filter();
    return submatrix.AddRows({});
}
