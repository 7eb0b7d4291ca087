#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

#include "AppFlags.h"
#include "ISettingsStore.h"
#include "IUserInterface.h"
#include "LoomBusClient.h"
#include "RecentFileList.h"

struct AppCommandLine;
class AuditCommands;
class CMainFrame;
class PrintCommands;
class AnalysisPanel;
class CNorvaDoc;
class DocumentAutomation;
class CNorvaView;
class CRowFormView;
class FindCommands;

// The application object: start-up, the single document and its frame, and the commands of
// the File and Help menus. Every way of opening a file ends in openDocumentFile, which reuses
// the one document and then makes the window title and the current directory follow the file.
class CNorvaApp : public QObject {
    Q_OBJECT
public:
    // store and ui outlive the application object. programPath locates the language file and
    // the help folder beside the program.
    CNorvaApp(ISettingsStore& store, IUserInterface& ui, const QString& programPath);
    ~CNorvaApp() override;

    // How start-up ended: keep running (the event loop follows), or end with exitCode.
    struct StartResult {
        bool keepRunning = false;
        int exitCode = 0;
    };
    // Start-up in order: locale, language file, recent files, command line (arguments without
    // the program name).
    StartResult InitInstance(const QStringList& arguments);

    // The document-open operation: opens path in the one document, made with its frame when
    // needed. Returns the document, or null when the open failed.
    CNorvaDoc* OpenDocumentFile(const std::string& path);
    // The commands after their file dialogs: a matrix file, a solution file.
    CNorvaDoc* openMatrixPath(const std::string& path);
    // A matrix open the user started in the window (File Open, the recent-file list): the
    // file's reading shows its progress and can be cancelled, which fails the open quietly.
    CNorvaDoc* openMatrixPathShowingProgress(const std::string& path);
    // How soon and how often the progress box updates (tests make it immediate).
    void setLoadProgressTiming(int intervalMs, int showAfterMs) {
        m_progressIntervalMs = intervalMs;
        m_progressShowAfterMs = showAfterMs;
    }
    CNorvaDoc* openSolutionPath(const std::string& path);
    // Reopens recent entry index by the matrix/solution rule.
    void OnOpenRecentFile(int index);
    // A new, empty document (Ctrl+N; also the start without a file).
    void OnFileNew();
    // Shows the main window: at its stored placement the first time, as it was afterwards.
    void showMainWindow();

    void OnFileOpen();
    void OnOpenSolution();
    void OnHelpTopics();
    void OnSupportPage();
    void OnAppAbout();
    // Tools > Program Options: the sheet, then on OK the settings go to the document, the
    // detail view rebuilds and the submatrix is filtered or redrawn.
    void OnProgramOptions();
    // Edit Copy, Cut and Paste go to the focused field: the search text takes all three, the
    // equation pane Copy of its selection, the submatrix grid Copy of its selected lines.
    void OnEditCopy();
    // File Print: the shown row or column through the viewer (the built-in one shows a
    // preview), while the detail view is the active one.
    void OnFilePrint();

    bool canOpenSolution() const { return m_flags.matrixLoaded; }
    AppFlags& flags() { return m_flags; }
    RecentFileList& recentFiles() { return m_recent; }
    CNorvaDoc* document() const { return m_doc.get(); }
    CMainFrame* frame() const { return m_frame.get(); }
    CRowFormView* detailView() const { return m_detailView; }
    CNorvaView* submatrixView() const { return m_submatrixView; }
    FindCommands* findCommands() const { return m_find; }
    PrintCommands* printCommands() const { return m_print; }
    AnalysisPanel* analysisPanel() const { return m_analysis; }
    AuditCommands* auditCommands() const { return m_audit; }
    CNorvaDoc* lastDocument() const { return m_lastDocument; }
    // The automation object of a start with --automation; null otherwise.
    DocumentAutomation* automation() const { return m_automation.get(); }

    // Opens a web or file address; the desktop's browser by default, replaceable for tests.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }
    // The help folder's start page: help/index.html beside the program or installed.
    QString helpIndexPath() const;
    // The support page's address: string 61447 trimmed, or the compiled-in one when blank.
    static QString supportAddress();

signals:
    // The frame exists (made on the first open or new document).
    void frameCreated(CMainFrame* frame);
    // The last automation client has let go of a document that closes on release: the
    // program is to end as at a normal exit.
    void automationFinished();

private:
    // The frame is made hidden for an automation start; every other start shows it at once.
    void ensureDocumentAndFrame(bool show = true);
    StartResult startAutomation();
    // --register: the user's own desktop files, unless the installation's already serve.
    bool registerForUser();
    void automationReleased();
    void connectCommands();
    void connectViewCommands();
    // Copy, Cut and Paste follow the focus and its selection; the Find commands are the
    // detail view's and so are disabled while the submatrix view is the active one.
    void updateViewCommands();
    bool searchTextFocused() const;
    bool equationCopyable() const;
    void updateViews();
    void showModelSummary();
    void refreshRecentMenu();
    void updateCommandStates();
    void afterOpen(CNorvaDoc* opened, const std::string& path);
    StartResult runCommandLine(const QStringList& arguments);
    void releaseLastDocument();
    StartResult printFromShell(const AppCommandLine& command);
    StartResult printToPdf(const AppCommandLine& command);
    bool selectForPrinting(const AppCommandLine& command);
    bool canPrint() const;

    ISettingsStore& m_store;
    IUserInterface& m_ui;
    QString m_programPath;
    QTranslator m_translator;
    AppFlags m_flags;
    RecentFileList m_recent;
    std::function<bool(const QUrl&)> m_openUrl;
    // The frame holds views that read the document, so it is declared after it: destroyed first.
    // Declared before the document, which uses it until it goes.
    LoomBusConnector m_loomConnector;
    std::unique_ptr<CNorvaDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    CRowFormView* m_detailView = nullptr;
    CNorvaView* m_submatrixView = nullptr;
    FindCommands* m_find = nullptr;
    PrintCommands* m_print = nullptr;
    AnalysisPanel* m_analysis = nullptr;
    AuditCommands* m_audit = nullptr;
    bool m_submatrixActive = false;
    CNorvaDoc* m_lastDocument = nullptr;
    bool m_frameShown = false;
    int m_progressIntervalMs = 50;
    int m_progressShowAfterMs = 400;
    // Serves the document, so it goes before the frame and the document.
    std::unique_ptr<DocumentAutomation> m_automation;
};
