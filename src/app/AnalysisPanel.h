#pragma once

#include <QDockWidget>
#include <QThreadPool>
#include <cstdint>
#include <memory>
#include <string>

#include "MagnitudeHistogram.h"
#include "MatrixOrder.h"
#include "ScalingReport.h"

class CMainFrame;
class CNorvaDoc;
class CNorvaView;
class CRowFormView;
class HistogramWidget;
class ISettingsStore;
class IUserInterface;
class MagnitudePictureWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTableView;
class QTabWidget;

// The "Magnitudes" pane of the main window: the magnitude picture, the decade histogram and
// the scaling report of the loaded matrix, computed on a worker thread whenever the pane is
// shown for a new model. Clicks lead to the detail view (rows, columns, a block's first row)
// and, for a histogram bar, through the coefficient filter's path into the submatrix.
class AnalysisPanel : public QDockWidget {
    Q_OBJECT
public:
    // The thresholds live in store's "Options" section as ScalingAttention and ScalingBad.
    AnalysisPanel(CNorvaDoc& doc, IUserInterface& ui, ISettingsStore& store, CRowFormView& detail,
                  CNorvaView& submatrix, CMainFrame& frame);
    ~AnalysisPanel() override;

    // Before the document's model changes: waits for the workers, which may be reading it, and
    // drops everything that points into it (the report's names, the picture's order), since
    // a message box during the open lets the pane paint and take the pointer.
    void modelChanging();
    // After an open: the analyses are made again for the new model when the pane is shown.
    void modelChanged();

    // Whether the report and histogram of the current model are in place (the picture says
    // for itself whether it is drawn).
    bool ready() const { return m_analysedGeneration == m_generation && m_report != nullptr; }
    MagnitudePictureWidget* picture() const { return m_picture; }
    HistogramWidget* histogram() const { return m_histogram; }
    QTableView* scalingTable() const { return m_table; }
    QTabWidget* tabs() const { return m_tabs; }
    QComboBox* scalingList() const { return m_list; }

    // The exports behind the buttons; an empty answer, or why not.
    std::string exportPicture(const std::string& path) const;
    std::string exportReport(const std::string& path) const;
    // Shows a row or column in the detail view, in its display.
    void showInDetail(const std::string& name, bool row);
    // Fills the submatrix with the coefficients of one decade and shows it.
    void showDecade(int decade);

private:
    struct Analysis;
    QWidget* createPictureTab();
    QWidget* createHistogramTab();
    QWidget* createScalingTab();
    void addToViewMenu(CMainFrame& frame);
    void startAnalysis();
    void takeAnalysis(std::shared_ptr<Analysis> analysis);
    void orderChosen();
    void startOrder();
    void showHistogramPart();
    void fillScalingTable();
    void scalingDoubleClicked(const QModelIndex& index);
    void readThresholds();
    void loadThresholds();
    void exportPictureChosen();
    void exportReportChosen();

    CNorvaDoc& m_doc;
    IUserInterface& m_ui;
    ISettingsStore& m_store;
    CRowFormView& m_detail;
    CNorvaView& m_submatrix;
    CMainFrame& m_frame;
    QThreadPool m_pool;
    std::uint64_t m_generation = 1;
    std::uint64_t m_analysedGeneration = 0;
    std::uint64_t m_requestedGeneration = 0;
    std::shared_ptr<const ScalingReport> m_report;
    MagnitudeHistogram m_histogramCounts;
    ScalingThresholds m_thresholds;

    QTabWidget* m_tabs = nullptr;
    QComboBox* m_order = nullptr;
    MagnitudePictureWidget* m_picture = nullptr;
    QComboBox* m_histogramPart = nullptr;
    HistogramWidget* m_histogram = nullptr;
    QLabel* m_summary = nullptr;
    QComboBox* m_list = nullptr;
    QLineEdit* m_attention = nullptr;
    QLineEdit* m_bad = nullptr;
    QStandardItemModel* m_tableModel = nullptr;
    QTableView* m_table = nullptr;
};
