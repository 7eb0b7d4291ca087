#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "PrintCommand.h"

class DetailViewLogic;
class ISettingsStore;
class IUserInterface;
class QPrinter;
class QWidget;

// File Print, Print Setup and the shell's print forms, for the row or column the detail view
// shows. The printer chosen in Print Setup stays for the rest of the run.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(DetailViewLogic& detail, IUserInterface& ui, const ISettingsStore& store,
                  QWidget* window);
    ~PrintCommands() override;

    // The opened matrix's full path, the listing's first line; empty without one.
    void setDocumentPath(std::string path) { m_documentPath = std::move(path); }
    // Whether the detail view shows a row or column of the current model.
    bool hasSubject() const;

    void OnFilePrint();
    void OnPrintSetup();
    // The shell's print forms, once the document is open and the name chosen. Print at once
    // on printerName (empty: the printer as set up); false after a message to the user.
    bool printDirectly(const std::string& printerName);
    // The listing as a PDF file at path; false after a message on the error stream.
    bool writePdf(const std::string& path);

    QPrinter& printer();

private:
    PrintSubject subject() const;
    bool print(const ListingViewerFactory& builtIn);

    DetailViewLogic& m_detail;
    IUserInterface& m_ui;
    const ISettingsStore& m_store;
    QWidget* m_window;
    std::string m_documentPath;
    std::unique_ptr<QPrinter> m_printer;
};
