#pragma once

#include <QDialog>
#include <string>

#include "DocumentSettings.h"
#include "OptionsLogic.h"

class CDatabasePage;
class CGeneralPage;
class CTolerancePage;
struct Tolerances;
class IUserInterface;
class QTabWidget;

// "Program Options": the General and Input Database pages over copies of the document's
// settings and the run's connection string. OK validates every page that was opened and
// accepts only when all pass; a failing field keeps the sheet open on its page with the
// validation message and the focus. The caller applies options() after OK (ConfirmOptions);
// Cancel leaves everything as it was.
class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    COptionsDlg(const DocumentSettings& settings, const std::string& connectionString,
                IUserInterface& ui, QWidget* parent = nullptr);

    const OptionsLogic& options() const { return m_options; }
    CGeneralPage* generalPage() const { return m_general; }
    CDatabasePage* databasePage() const { return m_database; }
    QTabWidget* tabs() const { return m_tabs; }

    // Adds the third page, the check's and compare's tolerances; after OK tolerancePage()
    // holds the accepted values.
    void addTolerancePage(const Tolerances& tolerances);
    CTolerancePage* tolerancePage() const { return m_tolerance; }

    // The "..." button's dialog: the edited string, or start when it was cancelled.
    static std::string buildConnectionString(const std::string& current, QWidget* parent);

public slots:
    void accept() override;

private:
    // Validates the page at index; false (after the message) when a field fails.
    bool exchangePage(int index);
    bool exchangeTolerancePage();
    void pageChanging(int newIndex);

    OptionsLogic m_options;
    IUserInterface& m_ui;
    QTabWidget* m_tabs;
    CGeneralPage* m_general;
    CDatabasePage* m_database;
    CTolerancePage* m_tolerance = nullptr;
    int m_currentPage = 0;
};
