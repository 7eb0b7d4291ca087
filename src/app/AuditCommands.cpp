#include "AuditCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

#include "AppFlags.h"
#include "AuditReportView.h"
#include "CNorvaDoc.h"
#include "CRowFormView.h"
#include "DetailViewLogic.h"
#include "EntryTableModel.h"
#include "EntryTableView.h"
#include "FrameActions.h"
#include "IUserInterface.h"
#include "LibraryFacts.h"
#include "LoadProgress.h"
#include "ModelCompare.h"
#include "SolutionCheck.h"
#include "ToleranceSettings.h"

namespace {

// The window lists this many findings of each kind; the count covers them all.
constexpr std::size_t kListedPerKind = 500;

}  // namespace

AuditCommands::AuditCommands(CNorvaDoc& doc, IUserInterface& ui, ISettingsStore& store,
                             CRowFormView& detail, QMainWindow& frame, const FrameActions& actions)
    : QObject(&frame),
      m_doc(doc),
      m_ui(ui),
      m_store(store),
      m_detail(detail),
      m_frame(frame),
      m_tolerances(readTolerances(store)),
      m_report(new AuditReportView(&frame)),
      m_check(new QAction(tr("C&heck Solution"), &frame)),
      m_compare(new QAction(tr("Co&mpare With..."), &frame)) {
    m_check->setStatusTip(tr("Check the attached solution against the matrix"));
    m_compare->setStatusTip(tr("Compare the matrix and its solution with another model"));
    actions.fileMenu->insertActions(actions.print, {m_check, m_compare});
    actions.fileMenu->insertSeparator(actions.print);
    frame.addDockWidget(Qt::BottomDockWidgetArea, m_report);
    m_report->hide();
    connect(m_check, &QAction::triggered, this, &AuditCommands::OnCheckSolution);
    connect(m_compare, &QAction::triggered, this, &AuditCommands::OnCompareWith);
    connect(m_report, &AuditReportView::nameChosen, this, &AuditCommands::showName);
    installMarker();
    documentChanged();
}

AuditCommands::~AuditCommands() = default;

void AuditCommands::setTolerances(const Tolerances& tolerances) {
    m_tolerances = tolerances;
    writeTolerances(m_store, tolerances);
}

void AuditCommands::installMarker() {
    auto* model = qobject_cast<EntryTableModel*>(m_detail.entryList()->model());
    if (model == nullptr) return;
    // In row display the entries are columns, in column display rows.
    model->setMarker([this](std::string_view name, bool rowDisplay) {
        const auto& names = rowDisplay ? m_report->markedColumns() : m_report->markedRows();
        return !names.empty() && names.count(std::string(name)) != 0;
    });
}

void AuditCommands::documentChanged() {
    m_report->clear();
    installMarker();
    const bool loaded = !m_doc.model().rows.empty();
    m_check->setEnabled(loaded);
    m_compare->setEnabled(loaded);
}

void AuditCommands::OnCheckSolution() {
    if (m_doc.primal().rows.empty() && m_doc.primal().columns.empty()) {
        m_ui.messageBox("Warning", tr("The matrix has no solution to check.").toStdString());
        return;
    }
    CheckOptions options;
    options.tolerances = m_tolerances;
    options.keep = kListedPerKind;
    options.maximise = objectiveMaximised(m_doc.matrixObject());
    options.nonlinearRows =
        nonlinearRowsOf(m_doc.matrixObject(), m_doc.model().rowNameTable.size());
    m_ui.beginWaitCursor();
    const CheckReport report = checkSolution(m_doc.model(), m_doc.primal(), options);
    m_ui.endWaitCursor();
    m_report->showCheck(report);
    installMarker();
}

void AuditCommands::OnCompareWith() {
    const QString path = QFileDialog::getOpenFileName(&m_frame, tr("Compare With"), QString(),
                                                      tr("Matrix Files (*.mps *.orb *.gz);;All "
                                                         "Files (*)"));
    if (!path.isEmpty()) compareWith(path.toStdString());
}

bool AuditCommands::compareWith(const std::string& path) {
    // The second model has a document of its own, reading its solution as the first did.
    AppFlags flags;
    CNorvaDoc other(m_ui, flags, nullptr);
    other.settings() = m_doc.settings();
    other.SettingsChanged();
    other.databaseSettings() = m_doc.databaseSettings();
    m_ui.beginWaitCursor();
    bool opened = false;
    {
        const LoadProgress progress(&m_frame, QString::fromStdString(path));
        opened = other.OnOpenDocument(path);
    }
    CompareReport report;
    if (opened) {
        CompareOptions options;
        options.tolerances = m_tolerances;
        options.keep = kListedPerKind;
        report = compareModels({m_doc.model(), m_doc.primal()}, {other.model(), other.primal()},
                               options);
    }
    m_ui.endWaitCursor();
    if (!opened) return false;
    m_report->showCompare(report, QFileInfo(QString::fromStdString(path)).fileName());
    installMarker();
    return true;
}

bool AuditCommands::showName(const QString& name, bool row) {
    DetailViewLogic& logic = m_detail.logic();
    logic.OnUpdate(row ? 1 : 2);
    const std::optional<std::size_t> index = logic.nameList().indexOf(name.toStdString());
    if (index) logic.selectName(index);
    m_detail.showAll();
    if (index) return true;
    m_ui.beep();
    m_ui.statusText((row ? tr("The matrix has no row %1") : tr("The matrix has no column %1"))
                        .arg(name)
                        .toStdString());
    return false;
}
