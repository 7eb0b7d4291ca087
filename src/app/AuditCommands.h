#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "Tolerances.h"

class AuditReportView;
class CNorvaDoc;
class CRowFormView;
class ISettingsStore;
class IUserInterface;
class QAction;
class QMainWindow;
struct FrameActions;

// File > Check Solution and File > Compare With...: the report docked in the main window, a
// double-click on it showing the row or column in the detail view, and the detail view's
// entries that the report names marked. The tolerances live in the profile.
class AuditCommands : public QObject {
    Q_OBJECT
public:
    AuditCommands(CNorvaDoc& doc, IUserInterface& ui, ISettingsStore& store, CRowFormView& detail,
                  QMainWindow& frame, const FrameActions& actions);
    ~AuditCommands() override;

    void OnCheckSolution();
    void OnCompareWith();
    // The second model of a compare; false (after the open's own message) when it failed.
    bool compareWith(const std::string& path);
    // A name of the report into the detail view; false (with a beep) when the model lacks it.
    bool showName(const QString& name, bool row);
    // A new open replaces the model the report speaks of.
    void documentChanged();

    Tolerances tolerances() const { return m_tolerances; }
    void setTolerances(const Tolerances& tolerances);
    AuditReportView* report() const { return m_report; }
    QAction* checkAction() const { return m_check; }
    QAction* compareAction() const { return m_compare; }

private:
    void installMarker();

    CNorvaDoc& m_doc;
    IUserInterface& m_ui;
    ISettingsStore& m_store;
    CRowFormView& m_detail;
    QMainWindow& m_frame;
    Tolerances m_tolerances;
    AuditReportView* m_report;
    QAction* m_check;
    QAction* m_compare;
};
