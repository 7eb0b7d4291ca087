#include "CNorvaApp.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <clocale>
#include <cstdio>
#include <locale>
#include <stdexcept>

#include "AnalysisPanel.h"
#include "AppCommandLine.h"
#include "AppStrings.h"
#include "AppUsage.h"
#include "AuditCommands.h"
#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CNorvaDoc.h"
#include "CNorvaView.h"
#include "COptionsDlg.h"
#include "CRowFormView.h"
#include "CTolerancePage.h"
#include "DocumentAutomation.h"
#include "EntryTableView.h"
#include "EquationView.h"
#include "FileDialogFilter.h"
#include "FindCommands.h"
#include "InstallLayout.h"
#include "LanguageFile.h"
#include "LoadProgress.h"
#include "ModelSummary.h"
#include "OpenPath.h"
#include "OptionsLogic.h"
#include "PrintCommands.h"
#include "ProgramVersion.h"
#include "SearchBar.h"
#include "ShellRegistration.h"

namespace {

constexpr const char* kDefaultTitle = "Norva - Matrix Analysis Program";
constexpr const char* kTitleSuffix = " - Matrix Analysis Program";
constexpr const char* kCompiledSupportAddress = "https://www.orvane.com/support/norva";
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The user's own locale for the C library and the standard streams, so that numbers in the
// settings use the user's decimal separator. An unknown locale name in the environment leaves
// the "C" locale in place.
void useUserLocale() {
    std::setlocale(LC_ALL, "");
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, "");
    }
}

}  // namespace

CNorvaApp::CNorvaApp(ISettingsStore& store, IUserInterface& ui, const QString& programPath)
    : m_store(store),
      m_ui(ui),
      m_programPath(programPath),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

CNorvaApp::~CNorvaApp() {
    // The views go before the document they show; the document then writes its settings.
    m_automation.reset();
    m_frame.reset();
    m_doc.reset();
}

CNorvaApp::StartResult CNorvaApp::InitInstance(const QStringList& arguments) {
    useUserLocale();
    const QString programName = QFileInfo(m_programPath).completeBaseName();
    const LanguagePreference language = readLanguagePreference(m_store);
    const QString languageFolder = InstallLayout(m_programPath)
                                       .translationFolder(languageFileName(
                                           QString::fromStdString(language.Language), programName));
    loadLanguageFile(language, languageFolder, programName, m_translator, m_ui);
    m_recent.load(m_store);
    return runCommandLine(arguments);
}

CNorvaApp::StartResult CNorvaApp::runCommandLine(const QStringList& arguments) {
    std::vector<std::string> plain;
    for (const QString& argument : arguments) plain.push_back(argument.toStdString());
    const AppCommandLine command = parseAppCommandLine(plain);
    switch (command.action) {
        case StartAction::kRejected:
            std::fprintf(stderr, "norva: %s\n%s", command.error.c_str(), kAppSynopsis);
            return {false, kExitUsage};
        case StartAction::kHelp:
            std::fputs(appUsageText(InstallLayout(m_programPath)).c_str(), stdout);
            return {false, 0};
        case StartAction::kRegister:
            return {false, registerForUser() ? 0 : kExitFailure};
        case StartAction::kUnregister:
            return {false, unregisterShellType(userDataHome(), m_ui) ? 0 : kExitFailure};
        case StartAction::kAutomation:
            return startAutomation();
        case StartAction::kPrint:
        case StartAction::kPrintTo:
            return printFromShell(command);
        case StartAction::kPrintToPdf:
            return printToPdf(command);
        case StartAction::kOpenFile:
            if (OpenDocumentFile(command.fileName) == nullptr) return {false, kExitFailure};
            return {true, 0};
        case StartAction::kNewDocument:
            break;
    }
    OnFileNew();
    return {true, 0};
}

bool CNorvaApp::registerForUser() {
    const QString installedRoot = InstallLayout(m_programPath).installedDataRoot();
    const RegistrationOutcome outcome = registerShellTypeFor(
        userDataHome(), m_programPath, installedRoot, desktopDataFolders(), m_ui);
    if (outcome == RegistrationOutcome::kInstallationServes)
        std::printf(
            "norva: the installation in %s already registers the program with the desktop; "
            "nothing is written to %s, and copies that an earlier --register left there are "
            "removed, so that they cannot hide the installed ones\n",
            installedRoot.toLocal8Bit().constData(), userDataHome().toLocal8Bit().constData());
    return outcome != RegistrationOutcome::kFailed;
}

CNorvaApp::StartResult CNorvaApp::startAutomation() {
    ensureDocumentAndFrame(false);
    m_automation = std::make_unique<DocumentAutomation>(*this);
    const QString failure = m_automation->registerOnSessionBus();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "norva: %s\n", failure.toLocal8Bit().constData());
        m_automation.reset();
        return {false, kExitFailure};
    }
    connect(m_automation.get(), &DocumentAutomation::lastClientReleased, this,
            &CNorvaApp::automationReleased);
    return {true, 0};
}

void CNorvaApp::automationReleased() {
    if (!m_doc->automation().closeOnRelease) {
        // The user keeps working with it, so a window never shown appears now.
        showMainWindow();
        return;
    }
    // A shown frame writes its placement when closed, as when the user closes it.
    if (m_frame->isVisible()) m_frame->close();
    emit automationFinished();
}

void CNorvaApp::showMainWindow() {
    ensureDocumentAndFrame(false);
    if (!m_frameShown)
        m_frame->showAtStoredPlacement();
    else if (!m_frame->isVisible())
        m_frame->show();
    m_frameShown = true;
}

void CNorvaApp::ensureDocumentAndFrame(bool show) {
    if (!m_doc) {
        m_doc = std::make_unique<CNorvaDoc>(m_ui, m_flags, nullptr, &m_store);
        m_doc->setLoomConnector(&m_loomConnector);
    }
    if (m_frame) return;
    m_detailView = new CRowFormView(*m_doc, m_ui);
    m_submatrixView = new CNorvaView(*m_doc, m_detailView->logic());
    m_frame = std::make_unique<CMainFrame>(m_store, m_detailView, m_submatrixView);
    m_detailView->setFrame(m_frame.get());
    m_find = new FindCommands(*m_doc, m_ui, *m_detailView, *m_frame->searchBar(), m_frame.get());
    m_print = new PrintCommands(m_detailView->logic(), m_ui, m_store, m_frame.get());
    m_analysis =
        new AnalysisPanel(*m_doc, m_ui, m_store, *m_detailView, *m_submatrixView, *m_frame);
    m_audit = new AuditCommands(*m_doc, m_ui, m_store, *m_detailView, *m_frame, m_frame->actions());
    m_detailView->setPendingSearchHandler([this] { m_find->OnSearch(); });
    connectCommands();
    connectViewCommands();
    refreshRecentMenu();
    updateCommandStates();
    emit frameCreated(m_frame.get());
    if (show) showMainWindow();
}

void CNorvaApp::connectCommands() {
    const FrameActions& actions = m_frame->actions();
    connect(actions.fileNew, &QAction::triggered, this, &CNorvaApp::OnFileNew);
    connect(actions.open, &QAction::triggered, this, &CNorvaApp::OnFileOpen);
    connect(actions.openSolution, &QAction::triggered, this, &CNorvaApp::OnOpenSolution);
    connect(actions.helpTopics, &QAction::triggered, this, &CNorvaApp::OnHelpTopics);
    connect(actions.contextHelp, &QAction::triggered, this, &CNorvaApp::OnHelpTopics);
    connect(actions.support, &QAction::triggered, this, &CNorvaApp::OnSupportPage);
    connect(actions.about, &QAction::triggered, this, &CNorvaApp::OnAppAbout);
    connect(actions.print, &QAction::triggered, this, &CNorvaApp::OnFilePrint);
    connect(actions.printSetup, &QAction::triggered, m_print, &PrintCommands::OnPrintSetup);
    connect(m_frame.get(), &CMainFrame::recentFileChosen, this, &CNorvaApp::OnOpenRecentFile);
    actions.support->setStatusTip(supportAddress());
}

void CNorvaApp::connectViewCommands() {
    const FrameActions& actions = m_frame->actions();
    connect(actions.find, &QAction::triggered, m_find, &FindCommands::OnEditFind);
    connect(actions.findNext, &QAction::triggered, m_find, &FindCommands::OnFindNext);
    connect(actions.findPrevious, &QAction::triggered, m_find, &FindCommands::OnFindPrevious);
    connect(m_frame->searchBar()->searchButton(), &QPushButton::clicked, m_find,
            &FindCommands::OnSearch);
    connect(m_frame->searchBar()->searchText(), &QLineEdit::returnPressed, m_find,
            &FindCommands::OnSearch);
    connect(m_find, &FindCommands::helpTopicsRequested, this, &CNorvaApp::OnHelpTopics);
    connect(actions.programOptions, &QAction::triggered, this, &CNorvaApp::OnProgramOptions);
    connect(actions.copy, &QAction::triggered, this, &CNorvaApp::OnEditCopy);
    connect(actions.cut, &QAction::triggered, this, [this] {
        if (searchTextFocused()) m_frame->searchBar()->searchText()->cut();
    });
    connect(actions.paste, &QAction::triggered, this, [this] {
        if (searchTextFocused()) m_frame->searchBar()->searchText()->paste();
    });
    connect(m_submatrixView, &CNorvaView::copyStateChanged, this, &CNorvaApp::updateViewCommands);
    connect(m_detailView->equationPane(), &EquationView::selectionChanged, this,
            &CNorvaApp::updateViewCommands);
    connect(qApp, &QApplication::focusChanged, this, &CNorvaApp::updateViewCommands);
    connect(m_detailView->nameList(), &QComboBox::currentIndexChanged, this,
            &CNorvaApp::updateViewCommands);
    // The toggle changes the display, which ">>" follows.
    connect(m_detailView->toggleButton(), &QPushButton::clicked, m_submatrixView,
            &CNorvaView::OnUpdate);
    connect(m_detailView->entryList(), &QAbstractItemView::doubleClicked, m_submatrixView,
            &CNorvaView::OnUpdate);
}

void CNorvaApp::updateViewCommands() {
    if (!m_frame) return;
    const QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && m_submatrixView->isAncestorOf(focused)) m_submatrixActive = true;
    if (focused != nullptr && m_detailView->isAncestorOf(focused)) m_submatrixActive = false;
    const FrameActions& actions = m_frame->actions();
    const bool searchText = searchTextFocused();
    actions.copy->setEnabled(m_submatrixView->canCopy() || searchText || equationCopyable());
    actions.cut->setEnabled(searchText);
    actions.paste->setEnabled(searchText);
    for (QAction* find : {actions.find, actions.findNext, actions.findPrevious})
        find->setEnabled(!m_submatrixActive);
    actions.print->setEnabled(canPrint());
}

bool CNorvaApp::searchTextFocused() const {
    return m_frame && m_frame->searchBar()->searchText()->hasFocus();
}

bool CNorvaApp::equationCopyable() const {
    const EquationView* pane = m_detailView->equationPane();
    return pane->hasFocus() && pane->hasSelectedText();
}

// Edit Copy goes to the focused field: the search text, the equation pane or the grid.
void CNorvaApp::OnEditCopy() {
    if (searchTextFocused())
        m_frame->searchBar()->searchText()->copy();
    else if (equationCopyable())
        m_detailView->equationPane()->copy();
    else if (m_submatrixView->canCopy())
        m_submatrixView->OnEditCopy();
}

void CNorvaApp::updateViews() {
    m_detailView->OnInitialUpdate();
    m_submatrixView->OnInitialUpdate();
    m_analysis->modelChanged();
}

void CNorvaApp::OnProgramOptions() {
    COptionsDlg dialog(m_doc->settings(), m_doc->databaseSettings().sqlServerConnectionString, m_ui,
                       m_frame.get());
    dialog.addTolerancePage(m_audit->tolerances());
    if (dialog.exec() != QDialog::Accepted) return;
    m_audit->setTolerances(dialog.tolerancePage()->tolerances());
    m_ui.beginWaitCursor();
    ConfirmOptions(dialog.options(), *m_doc, m_detailView->logic(), m_submatrixView->logic());
    m_ui.endWaitCursor();
    m_detailView->showAll();
    m_submatrixView->showGrid();
}

void CNorvaApp::refreshRecentMenu() {
    if (m_frame) m_frame->setRecentFiles(m_recent.entries());
}

void CNorvaApp::updateCommandStates() {
    if (m_frame) m_frame->actions().openSolution->setEnabled(canOpenSolution());
}

CNorvaDoc* CNorvaApp::OpenDocumentFile(const std::string& path) {
    ensureDocumentAndFrame();
    m_ui.beginWaitCursor();
    m_analysis->modelChanging();
    const bool opened = m_doc->OnOpenDocument(path);
    m_ui.endWaitCursor();
    CNorvaDoc* result = opened ? m_doc.get() : nullptr;
    afterOpen(result, path);
    m_lastDocument = result;
    return result;
}

void CNorvaApp::afterOpen(CNorvaDoc* opened, const std::string& path) {
    m_audit->documentChanged();
    // The views always follow the document: a failed open has emptied its model.
    updateViews();
    showModelSummary();
    updateCommandStates();
    updateViewCommands();
    m_print->setDocumentPath({});
    // The idle text is a blank: shown as a message it would hide the model's counts.
    const QString idle = appstrings::text(appstrings::kIdleStatus);
    if (idle.trimmed().isEmpty())
        m_frame->statusBar()->clearMessage();
    else
        m_frame->statusBar()->showMessage(idle);
    if (opened == nullptr) {
        m_frame->setWindowTitle(tr(kDefaultTitle));
        return;
    }
    const QFileInfo file(QString::fromStdString(path));
    m_print->setDocumentPath(file.absoluteFilePath().toStdString());
    m_recent.add(file.absoluteFilePath().toStdString());
    m_recent.save(m_store);
    refreshRecentMenu();
    QDir::setCurrent(file.absolutePath());
    QString title = file.fileName() + kTitleSuffix;
    if (!opened->solutionName().empty())
        title = QString::fromStdString(opened->matrixFileName() + " - " + opened->solutionName());
    m_frame->setWindowTitle(title);
}

void CNorvaApp::showModelSummary() {
    m_frame->setModelSummary(
        QString::fromStdString(modelSummaryText(m_doc->model(), m_doc->solutionName())));
}

void CNorvaApp::releaseLastDocument() {
    if (m_lastDocument != nullptr) m_lastDocument->ReleaseMatrixLibraryObject();
    m_lastDocument = nullptr;
}

CNorvaDoc* CNorvaApp::openMatrixPath(const std::string& path) {
    releaseLastDocument();
    m_flags.openAsSolution = false;
    return OpenDocumentFile(path);
}

CNorvaDoc* CNorvaApp::openMatrixPathShowingProgress(const std::string& path) {
    ensureDocumentAndFrame();
    const LoadProgress progress(m_frame.get(), QString::fromStdString(path), m_progressIntervalMs,
                                m_progressShowAfterMs);
    return openMatrixPath(path);
}

CNorvaDoc* CNorvaApp::openSolutionPath(const std::string& path) {
    m_flags.openAsSolution = true;
    return OpenDocumentFile(path);
}

void CNorvaApp::OnOpenRecentFile(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_recent.entries().size()) return;
    const std::string path = m_recent.entries()[static_cast<std::size_t>(index)];
    if (isMatrixFileName(path)) {
        releaseLastDocument();
        m_flags.openAsSolution = false;
    } else if (m_flags.matrixLoaded) {
        m_flags.openAsSolution = true;
    } else {
        m_ui.messageBox("Warning", appstrings::builtIn(appstrings::kOpenMatrixFirst));
        return;
    }
    // As the framework does: an entry that no longer opens leaves the list; one whose reading
    // the user cancelled stays.
    const LoadProgress progress(m_frame.get(), QString::fromStdString(path), m_progressIntervalMs,
                                m_progressShowAfterMs);
    if (OpenDocumentFile(path) == nullptr && !progress.cancelled()) {
        m_recent.remove(static_cast<std::size_t>(index));
        m_recent.save(m_store);
        refreshRecentMenu();
    }
}

void CNorvaApp::OnFileNew() {
    ensureDocumentAndFrame();
    m_doc->ClearModel();
    m_doc->ReleaseMatrixLibraryObject();
    m_audit->documentChanged();
    updateViews();
    showModelSummary();
    updateViewCommands();
    m_print->setDocumentPath({});
    m_frame->setWindowTitle(tr(kDefaultTitle));
}

void CNorvaApp::OnFileOpen() {
    const QString filter = QString::fromStdString(
        qtFileDialogFilter(appstrings::text(appstrings::kMatrixFileFilter).toStdString()));
    const QString path = QFileDialog::getOpenFileName(m_frame.get(), tr("Open"), QString(), filter);
    if (!path.isEmpty()) openMatrixPathShowingProgress(path.toStdString());
}

void CNorvaApp::OnOpenSolution() {
    if (!canOpenSolution()) return;
    const QString filter = QString::fromStdString(
        qtFileDialogFilter(appstrings::text(appstrings::kSolutionFileFilter).toStdString()));
    const QString path = QFileDialog::getOpenFileName(m_frame.get(), tr("Open"), QString(), filter);
    if (!path.isEmpty()) openSolutionPath(path.toStdString());
}

QString CNorvaApp::helpIndexPath() const { return InstallLayout(m_programPath).helpIndex(); }

void CNorvaApp::OnHelpTopics() {
    const QString index = helpIndexPath();
    const bool present = QFileInfo(index).isFile();
    if (present && m_openUrl(QUrl::fromLocalFile(index))) return;
    // Without a browser the user can still read the file, given where it is.
    const QString where = present ? tr("The help is the file %1; open it in a web browser.")
                                  : tr("The help file %1 is missing.");
    m_ui.messageBox("Error", std::string(appstrings::builtIn(appstrings::kHelpNotLaunched)) +
                                 "\n\n" + where.arg(index).toStdString());
}

QString CNorvaApp::supportAddress() {
    const QString address = appstrings::text(appstrings::kSupportAddress).trimmed();
    return address.isEmpty() ? QString(kCompiledSupportAddress) : address;
}

void CNorvaApp::OnSupportPage() { m_openUrl(QUrl(supportAddress())); }

void CNorvaApp::OnAppAbout() {
    CAboutDlg box(CAboutDlg::nameAndVersionText(programVersionText()), m_frame.get());
    box.exec();
}

bool CNorvaApp::canPrint() const { return m_print && !m_submatrixActive && m_print->hasSubject(); }

void CNorvaApp::OnFilePrint() {
    if (canPrint()) m_print->OnFilePrint();
}

bool CNorvaApp::selectForPrinting(const AppCommandLine& command) {
    ensureDocumentAndFrame(false);
    if (OpenDocumentFile(command.fileName) == nullptr) return false;
    DetailViewLogic& logic = m_detailView->logic();
    if (!command.detailName.empty()) {
        logic.OnUpdate(command.rowDisplay ? 1 : 2);
        const std::optional<std::size_t> index = logic.nameList().indexOf(command.detailName);
        if (!index) {
            std::fprintf(stderr, "norva: %s has no %s named '%s'\n", command.fileName.c_str(),
                         command.rowDisplay ? "row" : "column", command.detailName.c_str());
            return false;
        }
        logic.selectName(index);
    }
    if (!canPrint()) {
        std::fprintf(stderr, "norva: %s has nothing to print\n", command.fileName.c_str());
        return false;
    }
    return true;
}

CNorvaApp::StartResult CNorvaApp::printFromShell(const AppCommandLine& command) {
    const bool printed =
        selectForPrinting(command) &&
        m_print->printDirectly(command.action == StartAction::kPrintTo ? command.printer
                                                                       : std::string());
    return {false, printed ? 0 : kExitFailure};
}

CNorvaApp::StartResult CNorvaApp::printToPdf(const AppCommandLine& command) {
    const bool written = selectForPrinting(command) && m_print->writePdf(command.pdfPath);
    return {false, written ? 0 : kExitFailure};
}
