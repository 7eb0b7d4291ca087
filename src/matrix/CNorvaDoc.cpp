#include "CNorvaDoc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <new>

#include "AsciiCase.h"
#include "CaseLoader.h"
#include "LoadWarningReport.h"
#include "MatrixLibraryLoad.h"
#include "MatrixModelOps.h"
#include "ModelFromLibrary.h"
#include "OpenPath.h"
#include "ResultsDatabase.h"
#include "SharedProfileSettings.h"
#include "SolutionFile.h"
#include "SolutionOverlay.h"
#include "StringTable.h"

namespace {

constexpr const char* kErrorCaption = "Error";

// Why path cannot be read as a matrix file, or empty when it can: it must open for reading
// and must not be a folder (which opens but gives no data).
std::string unreadableReason(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    struct stat info {};
    const bool isFolder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    return isFolder ? std::strerror(EISDIR) : std::string();
}

}  // namespace

CNorvaDoc::CNorvaDoc(IUserInterface& ui, AppFlags& flags, IResultsDatabase* resultsDatabase,
                     ISettingsStore* settingsStore)
    : m_ui(ui), m_flags(flags), m_settingsStore(settingsStore), m_resultsDatabase(resultsDatabase) {
    if (m_settingsStore != nullptr) {
        m_settings = readDocumentSettings(*m_settingsStore);
        m_loggingEnabled = readLoggingSwitch(*m_settingsStore);
    }
    SettingsChanged();
    m_log.Enable(m_loggingEnabled);
    if (m_resultsDatabase == nullptr) {
        m_ownResultsDatabase = std::make_unique<ResultsDatabase>(m_ui, m_log);
        m_resultsDatabase = m_ownResultsDatabase.get();
    }
}

CNorvaDoc::~CNorvaDoc() {
    waitForModelReaders();
    // Options changed during the run are kept only by a normal exit, which destroys the document.
    if (m_settingsStore != nullptr) writeDocumentSettings(*m_settingsStore, m_settings);
    ReleaseMatrixLibraryObject();
}

void CNorvaDoc::SettingsChanged() {
    m_databaseSettings.DatabaseType = m_settings.DatabaseType;
    m_databaseSettings.AccessDatabaseName = m_settings.AccessDatabaseName;
}

void CNorvaDoc::addModelReader(std::shared_future<void> reader, std::function<void()> stop) {
    std::erase_if(m_modelReaders, [](const ModelReader& known) {
        return known.done.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    m_modelReaders.push_back({std::move(reader), std::move(stop)});
}

// A reader's failure, a stop among them, is its owner's to report, when it asks for the result.
void CNorvaDoc::waitForModelReaders() {
    for (const ModelReader& reader : m_modelReaders)
        if (reader.stop) reader.stop();
    for (const ModelReader& reader : m_modelReaders) reader.done.wait();
    m_modelReaders.clear();
}

void CNorvaDoc::ClearModel() {
    waitForModelReaders();
    ++m_modelGeneration;
    m_currentColumn = -1;
    ClearMatrixModel(m_model);
    m_primal.ClearPrimalRows();
    m_primal.ClearPrimalColumns();
}

void CNorvaDoc::ReleaseMatrixLibraryObject() {
    if (m_matrixObject == nullptr) return;
    m_matrixObject->release();
    m_matrixObject = nullptr;
    // The interface lives inside the object.
    m_nonlinearTerms = nullptr;
}

bool CNorvaDoc::OnOpenDocument(const std::string& path) {
    ClearModel();
    if (m_flags.openAsSolution) return openSolutionFile(path);
    if (const std::string reason = unreadableReason(path); !reason.empty()) {
        m_ui.messageBox(kErrorCaption, "Cannot open the file " + path + ": " + reason);
        return false;
    }
    const OpenPath parts = SplitOpenPath(path);
    if (equalsIgnoreAsciiCase(parts.extension, "cas")) {
        // A case comes from the server alone: the file is not read and the library object
        // of an earlier open stays untouched.
        const bool loaded =
            LoadLoomCase(m_loomConnector, m_settings.LoomProcessName, m_model, m_primal, m_ui);
        ++m_modelGeneration;
        return loaded;
    }
    // Decision: a held object is released here rather than overwritten, so an open that the
    // caller did not precede with a release cannot leak it.
    ReleaseMatrixLibraryObject();
    const bool isOrb = equalsIgnoreAsciiCase(parts.extension, "orb");
    const LibraryLoad load = LoadMatrixIntoLibrary(path, parts, isOrb, m_ui);
    m_matrixObject = load.object;
    if (load.status != LibraryLoadStatus::kLoaded) return false;
    if (!runGuarded(path, [this] { return buildFromLibrary(); })) return false;
    attachSolution(parts);
    ReportLoadWarnings(m_matrixObject->store().warnings, m_ui);
    return true;
}

bool CNorvaDoc::openSolutionFile(const std::string& path) {
    if (m_matrixObject == nullptr) {
        m_ui.messageBox(kErrorCaption, strings::text(strings::kNoValidOrbManager));
        return false;
    }
    const bool loaded = runGuarded(path, [this, &path] {
        if (!ReadSolutionFile(path) || !buildFromLibrary()) return false;
        // Costs are placed by library column position, so both run before the lists are sorted.
        LoadPrimalColumnsFromLibrary(*m_matrixObject, m_primal);
        LoadPrimalRowsFromLibrary(*m_matrixObject, m_primal);
        return true;
    });
    if (!loaded) return false;
    m_solutionName = SplitOpenPath(path).fileName;
    m_primal.SortPrimalLists();
    return true;
}

bool CNorvaDoc::buildFromLibrary() {
    waitForModelReaders();
    if (orbxmps::ORBNonlinearTerms* terms = m_matrixObject->getNonlinearTerms()) terms->update();
    if (!BuildModelFromLibrary(*m_matrixObject, m_model)) return false;
    m_nonlinearTerms = m_matrixObject->getNonlinearTerms();
    ++m_modelGeneration;
    return true;
}

bool CNorvaDoc::runGuarded(const std::string& path, const std::function<bool()>& steps) {
    // Decision: a throw from library calls outside the guarded reads, or running out of memory
    // while building, leaves an empty model and no library object: nothing half-loaded stays.
    std::string reason;
    try {
        return steps();
    } catch (const std::bad_alloc&) {
        reason = "not enough memory";
    } catch (const std::exception& exception) {
        reason = exception.what();
    } catch (...) {
        reason = "unknown error";
    }
    ClearModel();
    ReleaseMatrixLibraryObject();
    m_ui.messageBox(kErrorCaption,
                    "The matrix model of " + path + " could not be built: " + reason);
    return false;
}

void CNorvaDoc::attachSolution(const OpenPath& parts) {
    m_caseNumber = AttachDatabaseSolution(parts, m_automation, m_databaseSettings,
                                          m_resultsDatabase, m_primal);
    m_flags.matrixLoaded = true;
    m_matrixFileName = parts.fileName;
    m_solutionName.clear();
    m_primal.SortPrimalLists();
}

bool CNorvaDoc::ReadSolutionFile(const std::string& path) {
    return ::ReadSolutionFile(m_matrixObject, path, m_ui);
}

const CRow* CNorvaDoc::FindRow(std::string_view name) const {
    const std::string key(name);
    return m_model.rows.find(CRow(key.c_str(), 'N'));
}

const CCol* CNorvaDoc::FindColumn(std::string_view name) const {
    const std::string key(name);
    return m_model.columns.find(CCol(key.c_str()));
}

const CRowValue* CNorvaDoc::FindRhs(std::string_view name) const {
    const std::string key(name);
    return m_model.rhs.find(CRowValue(key.c_str(), 0.0f));
}

const CRowValue* CNorvaDoc::FindRange(std::string_view name) const {
    const std::string key(name);
    return m_model.ranges.find(CRowValue(key.c_str(), 0.0f));
}

const CBound* CNorvaDoc::FindBound(std::string_view columnName, int kind) const {
    const std::string key(columnName);
    return m_model.bounds.find(CBound(key.c_str(), 0.0f, kind));
}
