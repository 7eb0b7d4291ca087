#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "AppFlags.h"
#include "AutomationProperties.h"
#include "DatabaseSettings.h"
#include "DocumentSettings.h"
#include "ILoomConnection.h"
#include "IResultsDatabase.h"
#include "ISettingsStore.h"
#include "IUserInterface.h"
#include "Logging.h"
#include "MatrixModel.h"
#include "PrimalLists.h"
#include "orbxmps.h"

struct OpenPath;

// The document: the matrix model, the solution lists, the matrix library object kept beside
// them for row-wise data, and the properties and settings the open consults.
class CNorvaDoc {
public:
    // resultsDatabase may be null: the document then reads the results database that the
    // settings and automation properties name through one of its own.
    // settingsStore may be null: the options then keep their defaults and are not saved;
    // otherwise they are read from it here and written back to it by the destructor.
    CNorvaDoc(IUserInterface& ui, AppFlags& flags, IResultsDatabase* resultsDatabase,
              ISettingsStore* settingsStore = nullptr);
    virtual ~CNorvaDoc();
    CNorvaDoc(const CNorvaDoc&) = delete;
    CNorvaDoc& operator=(const CNorvaDoc&) = delete;

    // Opens a matrix (or, with the open-as-solution flag, a KNLP solution file) into the
    // model. False when the open failed; the user has then been told why.
    bool OnOpenDocument(const std::string& path);
    virtual bool ReadSolutionFile(const std::string& path);

    // How ".cas" files reach the modelling server; null (the default) reports it unreachable.
    void setLoomConnector(ILoomConnector* connector) { m_loomConnector = connector; }

    void ClearModel();
    void ReleaseMatrixLibraryObject();
    void OnCloseDocument() { ReleaseMatrixLibraryObject(); }

    const CRow* FindRow(std::string_view name) const;
    const CCol* FindColumn(std::string_view name) const;
    const CRowValue* FindRhs(std::string_view name) const;
    const CRowValue* FindRange(std::string_view name) const;
    const CBound* FindBound(std::string_view columnName, int kind) const;

    MatrixModel& model() { return m_model; }
    const MatrixModel& model() const { return m_model; }
    PrimalLists& primal() { return m_primal; }
    const PrimalLists& primal() const { return m_primal; }
    orbxmps::ORBObject* matrixObject() const { return m_matrixObject; }
    orbxmps::ORBNonlinearTerms* nonlinearTerms() const { return m_nonlinearTerms; }

    AutomationProperties& automation() { return m_automation; }
    DatabaseSettings& databaseSettings() { return m_databaseSettings; }
    // The persisted options; after editing them call SettingsChanged so that the open sees
    // the new database choice.
    DocumentSettings& settings() { return m_settings; }
    const DocumentSettings& settings() const { return m_settings; }
    void SettingsChanged();
    bool loggingEnabled() const { return m_loggingEnabled; }
    const std::string& matrixFileName() const { return m_matrixFileName; }
    const std::string& solutionName() const { return m_solutionName; }
    int caseNumber() const { return m_caseNumber; }
    std::vector<std::string>& selectedNames() { return m_selectedNames; }

    // Work that reads the model on another thread (an index made after an open) is registered
    // here: the model is not changed or freed until every such reader is done. Before the
    // model goes, each reader's stop (if given) is called, so that work for a model about to be
    // dropped ends early rather than be waited for.
    void addModelReader(std::shared_future<void> reader, std::function<void()> stop = {});

    // Changes whenever the model is cleared or rebuilt, so that indexes derived from it can
    // tell they are stale.
    std::uint64_t modelGeneration() const { return m_modelGeneration; }
    // The detail view's entry order (0 to 4), one value for both displays, not saved.
    int sortKey() const { return m_sortKey; }
    void setSortKey(int key) { m_sortKey = key; }
    // Column-array index of the column the detail view showed last; -1 before any.
    long currentColumn() const { return m_currentColumn; }
    void setCurrentColumn(long index) { m_currentColumn = index; }

private:
    bool openSolutionFile(const std::string& path);
    void attachSolution(const OpenPath& parts);
    bool buildFromLibrary();
    void waitForModelReaders();
    // Runs steps that call the library unguarded; a throw is reported and leaves nothing loaded.
    bool runGuarded(const std::string& path, const std::function<bool()>& steps);

    IUserInterface& m_ui;
    AppFlags& m_flags;
    ISettingsStore* m_settingsStore;
    DocumentSettings m_settings;
    bool m_loggingEnabled = false;
    // The server connection inside the own results database logs here, so the log outlives it.
    Logging m_log;
    std::unique_ptr<IResultsDatabase> m_ownResultsDatabase;
    IResultsDatabase* m_resultsDatabase;
    ILoomConnector* m_loomConnector = nullptr;

    MatrixModel m_model;
    PrimalLists m_primal;
    orbxmps::ORBObject* m_matrixObject = nullptr;
    orbxmps::ORBNonlinearTerms* m_nonlinearTerms = nullptr;
    AutomationProperties m_automation;
    DatabaseSettings m_databaseSettings;
    std::string m_matrixFileName;
    std::string m_solutionName;
    int m_caseNumber = 0;
    std::vector<std::string> m_selectedNames;
    std::uint64_t m_modelGeneration = 0;
    struct ModelReader {
        std::shared_future<void> done;
        std::function<void()> stop;
    };
    std::vector<ModelReader> m_modelReaders;
    int m_sortKey = 0;
    long m_currentColumn = -1;
};
