#include "AnalysisPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "AnalysisWriters.h"
#include "CMainFrame.h"
#include "CNorvaDoc.h"
#include "CNorvaView.h"
#include "CRowFormView.h"
#include "Decade.h"
#include "DecadePalette.h"
#include "HistogramWidget.h"
#include "ISettingsStore.h"
#include "IUserInterface.h"
#include "MagnitudePictureWidget.h"
#include "PictureImage.h"
#include "RegularFileWrite.h"
#include "SearchBar.h"
#include "SettingNumber.h"

namespace {

enum ScalingColumn {
    kNameColumn,
    kCountColumn,
    kMinColumn,
    kMaxColumn,
    kRatioColumn,
    kLevelColumn
};

constexpr SettingsScope kProfileScope = SettingsScope::kProfile;
constexpr const char* kSection = "Options";
constexpr const char* kAttentionKey = "ScalingAttention";
constexpr const char* kBadKey = "ScalingBad";

// The row of a table entry that a double-click shows: the block's first row for a stem.
constexpr int kTargetRole = Qt::UserRole + 1;

QStandardItem* numberItem(double value, const QString& text) {
    auto* item = new QStandardItem(text);
    item->setData(value, Qt::UserRole);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setEditable(false);
    return item;
}

// A strip of the decades' colours with their labels.
class DecadeLegend : public QWidget {
public:
    explicit DecadeLegend(QWidget* parent) : QWidget(parent) { setFixedHeight(22); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int cells = kPaletteHighestDecade - kPaletteLowestDecade + 1;
        for (int k = 0; k < cells; ++k) {
            const int decade = kPaletteLowestDecade + k;
            const QRect cell(k * width() / cells, 0,
                             (k + 1) * width() / cells - k * width() / cells, height());
            painter.fillRect(cell, QColor::fromRgb(decadeColour(decade)));
            painter.setPen(decade >= -5 && decade <= 4 ? Qt::black : Qt::white);
            QString label = QString::number(decade);
            if (decade == kPaletteLowestDecade) label = QStringLiteral("≤") + label;
            if (decade == kPaletteHighestDecade) label = QStringLiteral("≥") + label;
            painter.drawText(cell, Qt::AlignCenter, label);
        }
    }
};

}  // namespace

struct AnalysisPanel::Analysis {
    std::uint64_t generation = 0;
    std::shared_ptr<const ScalingReport> report;
    MagnitudeHistogram histogram;
};

AnalysisPanel::AnalysisPanel(CNorvaDoc& doc, IUserInterface& ui, ISettingsStore& store,
                             CRowFormView& detail, CNorvaView& submatrix, CMainFrame& frame)
    : QDockWidget(tr("Magnitudes"), &frame),
      m_doc(doc),
      m_ui(ui),
      m_store(store),
      m_detail(detail),
      m_submatrix(submatrix),
      m_frame(frame) {
    setObjectName("Magnitudes");
    loadThresholds();
    // The order (and then the picture) and the report are made side by side, so that the
    // picture of a large model does not wait for its report.
    m_pool.setMaxThreadCount(2);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(createPictureTab(), tr("Picture"));
    m_tabs->addTab(createHistogramTab(), tr("Histogram"));
    m_tabs->addTab(createScalingTab(), tr("Scaling"));
    setWidget(m_tabs);
    frame.addDockWidget(Qt::BottomDockWidgetArea, this);
    hide();
    addToViewMenu(frame);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) startAnalysis();
    });
}

AnalysisPanel::~AnalysisPanel() { m_pool.waitForDone(); }

void AnalysisPanel::addToViewMenu(CMainFrame& frame) {
    QAction* toggle = toggleViewAction();
    toggle->setText(tr("&Magnitudes"));
    toggle->setShortcut(QKeySequence(tr("Ctrl+Shift+M")));
    for (QObject* owner : frame.actions().statusBarToggle->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner)) menu->addAction(toggle);
}

QWidget* AnalysisPanel::createPictureTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    auto* bar = new QHBoxLayout;
    m_order = new QComboBox(tab);
    m_order->addItems({tr("File order"), tr("Name order"), tr("Grouped by name stem")});
    auto* whole = new QPushButton(tr("Whole matrix"), tab);
    auto* exportButton = new QPushButton(tr("Export PNG..."), tab);
    bar->addWidget(m_order);
    bar->addWidget(whole);
    bar->addStretch();
    bar->addWidget(exportButton);
    layout->addLayout(bar);
    layout->addWidget(new DecadeLegend(tab));
    m_picture = new MagnitudePictureWidget(m_doc.model(), m_pool, tab);
    layout->addWidget(m_picture, 1);
    connect(m_order, &QComboBox::currentIndexChanged, this, &AnalysisPanel::orderChosen);
    connect(whole, &QPushButton::clicked, m_picture, &MagnitudePictureWidget::showWhole);
    connect(exportButton, &QPushButton::clicked, this, &AnalysisPanel::exportPictureChosen);
    connect(m_picture, &MagnitudePictureWidget::pointed, this,
            [this](const QString& text) { m_frame.statusBar()->showMessage(text); });
    connect(m_picture, &MagnitudePictureWidget::rowClicked, this,
            [this](const std::string& name) { showInDetail(name, true); });
    connect(m_picture, &MagnitudePictureWidget::columnClicked, this,
            [this](const std::string& name) { showInDetail(name, false); });
    return tab;
}

QWidget* AnalysisPanel::createHistogramTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    m_histogramPart = new QComboBox(tab);
    m_histogramPart->addItems({tr("Coefficients"), tr("Right-hand sides"), tr("Finite bounds")});
    auto* note = new QLabel(tr("Click a bar of coefficients to put them into the submatrix."), tab);
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_histogramPart);
    bar->addWidget(note, 1);
    layout->addLayout(bar);
    m_histogram = new HistogramWidget(tab);
    layout->addWidget(m_histogram, 1);
    connect(m_histogramPart, &QComboBox::currentIndexChanged, this,
            &AnalysisPanel::showHistogramPart);
    connect(m_histogram, &HistogramWidget::decadeClicked, this, [this](int decade) {
        if (m_histogramPart->currentIndex() == 0) showDecade(decade);
    });
    return tab;
}

QWidget* AnalysisPanel::createScalingTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    m_summary = new QLabel(tab);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_summary);
    auto* bar = new QHBoxLayout;
    m_list = new QComboBox(tab);
    m_list->addItems({tr("Rows"), tr("Columns"), tr("Blocks (name stems)")});
    m_attention = new QLineEdit(QString::number(m_thresholds.attention), tab);
    m_bad = new QLineEdit(QString::number(m_thresholds.bad), tab);
    for (QLineEdit* edit : {m_attention, m_bad}) {
        auto* validator = new QDoubleValidator(1.0, 1e300, 6, edit);
        validator->setNotation(QDoubleValidator::ScientificNotation);
        edit->setValidator(validator);
        edit->setMaximumWidth(90);
        connect(edit, &QLineEdit::editingFinished, this, &AnalysisPanel::readThresholds);
    }
    auto* exportButton = new QPushButton(tr("Export CSV..."), tab);
    bar->addWidget(m_list);
    bar->addWidget(new QLabel(tr("Attention from ratio"), tab));
    bar->addWidget(m_attention);
    bar->addWidget(new QLabel(tr("bad from"), tab));
    bar->addWidget(m_bad);
    bar->addStretch();
    bar->addWidget(exportButton);
    layout->addLayout(bar);
    m_tableModel = new QStandardItemModel(this);
    m_tableModel->setSortRole(Qt::UserRole);
    m_table = new QTableView(tab);
    m_table->setModel(m_tableModel);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    layout->addWidget(m_table, 1);
    connect(m_list, &QComboBox::currentIndexChanged, this, &AnalysisPanel::fillScalingTable);
    connect(m_table, &QTableView::doubleClicked, this, &AnalysisPanel::scalingDoubleClicked);
    connect(exportButton, &QPushButton::clicked, this, &AnalysisPanel::exportReportChosen);
    return tab;
}

void AnalysisPanel::modelChanging() {
    m_pool.waitForDone();
    ++m_generation;
    m_report.reset();
    m_histogramCounts = {};
    m_picture->setOrder(nullptr);
    m_histogram->setCounts({});
    m_tableModel->clear();
    m_summary->clear();
}

void AnalysisPanel::modelChanged() {
    modelChanging();
    if (isVisible()) startAnalysis();
}

void AnalysisPanel::startAnalysis() {
    if (m_requestedGeneration == m_generation) return;
    m_requestedGeneration = m_generation;
    m_summary->setText(tr("Computing..."));
    startOrder();
    const MatrixModel* model = &m_doc.model();
    const std::uint64_t generation = m_generation;
    const QPointer<AnalysisPanel> self(this);
    m_pool.start([self, model, generation] {
        auto analysis = std::make_shared<Analysis>();
        analysis->generation = generation;
        analysis->report = std::make_shared<const ScalingReport>(computeScalingReport(*model));
        analysis->histogram = computeHistogram(*model);
        QMetaObject::invokeMethod(
            self.data(),
            [self, analysis] {
                if (self) self->takeAnalysis(analysis);
            },
            Qt::QueuedConnection);
    });
}

void AnalysisPanel::takeAnalysis(std::shared_ptr<Analysis> analysis) {
    if (analysis->generation != m_generation) return;
    m_analysedGeneration = analysis->generation;
    m_report = analysis->report;
    m_histogramCounts = std::move(analysis->histogram);
    showHistogramPart();
    const MagnitudeSpan& matrix = m_report->matrix;
    m_summary->setText(
        matrix.count == 0
            ? tr("The matrix has no coefficients.")
            : tr("%1 coefficients from %2 to %3: ratio %4, after geometric-mean scaling %5")
                  .arg(matrix.count)
                  .arg(static_cast<double>(matrix.min), 0, 'g', 6)
                  .arg(static_cast<double>(matrix.max), 0, 'g', 6)
                  .arg(matrix.ratio(), 0, 'g', 6)
                  .arg(m_report->ratioAfterScaling, 0, 'g', 6));
    fillScalingTable();
}

void AnalysisPanel::orderChosen() {
    if (m_requestedGeneration != m_generation) return;  // the pane's next showing makes it
    startOrder();
}

// The picture's rows and columns in the chosen order; the picture follows once they are made.
void AnalysisPanel::startOrder() {
    const MatrixModel* model = &m_doc.model();
    const auto order = static_cast<PictureOrder>(m_order->currentIndex());
    const std::uint64_t generation = m_generation;
    const QPointer<AnalysisPanel> self(this);
    m_pool.start([self, model, order, generation] {
        auto made = std::make_shared<const MatrixOrder>(makeMatrixOrder(*model, order));
        QMetaObject::invokeMethod(
            self.data(),
            [self, made, generation] {
                if (self && generation == self->m_generation) self->m_picture->setOrder(made);
            },
            Qt::QueuedConnection);
    });
}

void AnalysisPanel::showHistogramPart() {
    const std::vector<DecadeCount>* parts[] = {&m_histogramCounts.coefficients,
                                               &m_histogramCounts.rhs, &m_histogramCounts.bounds};
    m_histogram->setCounts(*parts[std::max(0, m_histogramPart->currentIndex())]);
}

void AnalysisPanel::fillScalingTable() {
    m_tableModel->clear();
    m_tableModel->setHorizontalHeaderLabels(
        {tr("Name"), tr("Count"), tr("Min |a|"), tr("Max |a|"), tr("Ratio"), tr("Level")});
    if (!m_report) return;
    const int list = std::max(0, m_list->currentIndex());
    const std::vector<MagnitudeSpan>* lists[] = {&m_report->rows, &m_report->columns,
                                                 &m_report->stems};
    const std::vector<MagnitudeSpan>& spans = *lists[list];
    m_tableModel->setRowCount(static_cast<int>(spans.size()));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const MagnitudeSpan& span = spans[i];
        const auto row = static_cast<int>(i);
        auto* name = new QStandardItem(
            QString::fromUtf8(span.name.data(), static_cast<qsizetype>(span.name.size())));
        name->setData(name->text(), Qt::UserRole);
        const std::string_view target = list == 2 ? m_report->stemFirstRows[i] : span.name;
        name->setData(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size())),
                      kTargetRole);
        name->setEditable(false);
        m_tableModel->setItem(row, kNameColumn, name);
        m_tableModel->setItem(
            row, kCountColumn,
            numberItem(static_cast<double>(span.count), QString::number(span.count)));
        m_tableModel->setItem(
            row, kMinColumn,
            numberItem(span.min, QString::fromStdString(shortestNumber(span.min))));
        m_tableModel->setItem(
            row, kMaxColumn,
            numberItem(span.max, QString::fromStdString(shortestNumber(span.max))));
        m_tableModel->setItem(row, kRatioColumn,
                              numberItem(span.ratio(), QString::number(span.ratio(), 'g', 6)));
        const ScalingLevel level = scalingLevel(span.ratio(), m_thresholds);
        auto* levelItem = new QStandardItem(tr(scalingLevelText(level)));
        levelItem->setData(static_cast<int>(level), Qt::UserRole);
        levelItem->setEditable(false);
        if (level != ScalingLevel::kFine)
            levelItem->setBackground(level == ScalingLevel::kBad ? QColor(0xf4, 0xa0, 0xa0)
                                                                 : QColor(0xf8, 0xe0, 0x90));
        m_tableModel->setItem(row, kLevelColumn, levelItem);
    }
    m_table->resizeColumnsToContents();
}

void AnalysisPanel::scalingDoubleClicked(const QModelIndex& index) {
    const QString target =
        m_tableModel->item(index.row(), kNameColumn)->data(kTargetRole).toString();
    showInDetail(target.toStdString(), m_list->currentIndex() != 1);
}

// A stored threshold that is not a positive number leaves the default.
void AnalysisPanel::loadThresholds() {
    const auto stored = [this](const char* key, double fallback) {
        const std::optional<std::string> text = m_store.readString(kProfileScope, kSection, key);
        const double value = text ? parseSettingNumber(*text) : 0.0;
        return value > 0.0 ? value : fallback;
    };
    m_thresholds = {stored(kAttentionKey, m_thresholds.attention),
                    stored(kBadKey, m_thresholds.bad)};
}

void AnalysisPanel::readThresholds() {
    bool attentionOk = false;
    bool badOk = false;
    const double attention = m_attention->text().toDouble(&attentionOk);
    const double bad = m_bad->text().toDouble(&badOk);
    if (attentionOk && badOk && attention > 0.0 && bad > 0.0 &&
        (attention != m_thresholds.attention || bad != m_thresholds.bad)) {
        m_thresholds = {attention, bad};
        m_store.writeString(kProfileScope, kSection, kAttentionKey, formatSettingNumber(attention));
        m_store.writeString(kProfileScope, kSection, kBadKey, formatSettingNumber(bad));
    }
    m_attention->setText(QString::number(m_thresholds.attention));
    m_bad->setText(QString::number(m_thresholds.bad));
    fillScalingTable();
}

void AnalysisPanel::showInDetail(const std::string& name, bool row) {
    DetailViewLogic& logic = m_detail.logic();
    if (logic.rowDisplay() != row) m_detail.OnUpdate(row ? 1 : 2);
    const std::optional<std::size_t> index = logic.nameList().indexOf(name);
    if (!index) return;
    logic.selectName(index);
    m_detail.showAll();
}

void AnalysisPanel::showDecade(int decade) {
    if (!m_submatrix.logic().FilterMagnitudeBand(decadeFloat(decade), decadeFloat(decade + 1)))
        return;
    m_submatrix.showGrid();
    if (!m_frame.submatrixShown()) m_frame.searchBar()->viewSubmatrix()->setChecked(true);
}

std::string AnalysisPanel::exportPicture(const std::string& path) const {
    if (m_picture->image().isNull()) return "there is no picture to export";
    return savePictureImage(m_picture->image(), path);
}

std::string AnalysisPanel::exportReport(const std::string& path) const {
    if (!m_report) return "there is no report to export";
    const std::string error = WriteRegularFile(path, scalingReportCsv(*m_report, m_thresholds));
    return error.empty() ? error : "cannot write " + path + ": " + error;
}

void AnalysisPanel::exportPictureChosen() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Picture"), QString(),
                                                      tr("PNG images (*.png)"));
    if (path.isEmpty()) return;
    const std::string error = exportPicture(path.toStdString());
    if (!error.empty()) m_ui.messageBox("Norva", error);
}

void AnalysisPanel::exportReportChosen() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Scaling Report"), QString(),
                                                      tr("CSV files (*.csv)"));
    if (path.isEmpty()) return;
    const std::string error = exportReport(path.toStdString());
    if (!error.empty()) m_ui.messageBox("Norva", error);
}
