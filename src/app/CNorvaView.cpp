#include "CNorvaView.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

#include "CNorvaDoc.h"
#include "DetailViewLogic.h"
#include "DialogUnits.h"
#include "SubmatrixCellDelegate.h"
#include "SubmatrixTableModel.h"

namespace {

// The form's designed size in dialog units: the grid's right and bottom edges plus a margin.
constexpr int kFormWidth = 190;
constexpr int kFormHeight = 261;

}  // namespace

CNorvaView::CNorvaView(CNorvaDoc& doc, DetailViewLogic& detail, QWidget* parent)
    : QWidget(parent),
      m_detail(detail),
      m_logic(doc),
      m_model(new SubmatrixTableModel(m_logic.grid(), this)) {
    setObjectName("CNorvaView");
    setMinimumWidth(0);
    createControls();
    placeControls();
    m_model->refill(m_logic.grid());
    sizeColumns();
}

CNorvaView::~CNorvaView() {
    // The grid and its model read the logic's grid, which goes before the children would.
    m_grid->removeEventFilter(this);
    delete m_grid;
    delete m_model;
}

void CNorvaView::createControls() {
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new SubmatrixCellDelegate(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setShowGrid(false);  // the delegate frames each cell
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->installEventFilter(this);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CNorvaView::gridSelectionChanged);
    // A reset empties the selection without a selection-changed signal.
    connect(m_model, &QAbstractItemModel::modelReset, this, &CNorvaView::gridSelectionChanged);

    m_addColumnRows = new QPushButton(">>", this);
    m_addSelected = new QPushButton(">", this);
    m_removeSelected = new QPushButton("<", this);
    m_clearAll = new QPushButton("<<", this);
    m_removeSelected->setEnabled(false);
    m_addColumnRows->setEnabled(false);
    connect(m_addColumnRows, &QPushButton::clicked, this, &CNorvaView::OnAddColumnRows);
    connect(m_addSelected, &QPushButton::clicked, this, &CNorvaView::OnAddSelectedRows);
    connect(m_removeSelected, &QPushButton::clicked, this, &CNorvaView::OnRemoveSelected);
    connect(m_clearAll, &QPushButton::clicked, this, &CNorvaView::OnClearAll);
    m_marker = new QPushButton("~~STRETCH", this);
    m_marker->hide();
}

void CNorvaView::placeControls() {
    const DialogUnits du(font());
    m_grid->setGeometry(du.rect(31, 7, 154, 247));
    m_addColumnRows->setGeometry(du.rect(6, 90, 19, 14));
    m_addSelected->setGeometry(du.rect(6, 107, 19, 14));
    m_removeSelected->setGeometry(du.rect(6, 124, 19, 14));
    m_clearAll->setGeometry(du.rect(6, 141, 19, 14));
    m_marker->setGeometry(du.rect(108, 180, 50, 14));
    resize(du.x(kFormWidth), du.y(kFormHeight));
}

void CNorvaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_stretch.isSetUp()) m_stretch.resize(size());
}

bool CNorvaView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        emit copyStateChanged();
    return QWidget::eventFilter(watched, event);
}

void CNorvaView::OnInitialUpdate() {
    if (!m_stretch.isSetUp()) {
        const DialogUnits du(font());
        m_stretch.setUp(*this, *m_marker, QSize(du.x(kFormWidth), du.y(kFormHeight)));
    }
    // Called after every open: the kept grid must not go on showing a model that is gone.
    m_logic.followDocument();
    showGrid();
    OnUpdate();
}

void CNorvaView::OnUpdate() {
    const SubmatrixButtons buttons =
        m_logic.buttons(m_detail.rowDisplay(), !selectedLines().empty());
    m_addColumnRows->setEnabled(buttons.addColumnRows);
    m_addSelected->setEnabled(buttons.addSelected);
    m_removeSelected->setEnabled(buttons.removeSelected);
    m_clearAll->setEnabled(buttons.clearAll);
}

void CNorvaView::OnAddColumnRows() {
    if (m_logic.addCurrentColumnRows()) showGrid();
}

void CNorvaView::OnAddSelectedRows() {
    if (m_logic.addSelectedRows(m_detail)) showGrid();
}

void CNorvaView::OnRemoveSelected() {
    if (m_logic.removeSelectedLines(selectedLines())) showGrid();
}

void CNorvaView::OnClearAll() {
    m_logic.clearAll();
    showGrid();
}

void CNorvaView::showGrid() {
    m_model->refill(m_logic.grid());
    sizeColumns();
}

void CNorvaView::sizeColumns() {
    const QFontMetrics cellMetrics = m_grid->fontMetrics();
    const QFontMetrics headerMetrics = m_grid->horizontalHeader()->fontMetrics();
    const int headerMargin = 2 * m_grid->style()->pixelMetric(QStyle::PM_HeaderMargin) + 2;
    const auto measure = [](const QFontMetrics& metrics, std::string_view text, int padding) {
        const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        return metrics.horizontalAdvance(shown) + padding;
    };
    const std::vector<int> widths = gridColumnWidths(
        m_logic.grid(),
        [&](std::string_view text) { return measure(headerMetrics, text, headerMargin); },
        [&](std::string_view text) {
            return measure(cellMetrics, text, 2 * SubmatrixCellDelegate::kTextInset + 1);
        });
    QHeaderView* header = m_grid->horizontalHeader();
    for (std::size_t c = 0; c < widths.size(); ++c)
        header->resizeSection(static_cast<int>(c), widths[c]);
}

std::vector<std::size_t> CNorvaView::selectedLines() const {
    std::vector<std::size_t> lines;
    for (const QModelIndex& index : m_grid->selectionModel()->selectedRows())
        lines.push_back(static_cast<std::size_t>(index.row()));
    return lines;
}

void CNorvaView::gridSelectionChanged() {
    m_removeSelected->setEnabled(m_grid->selectionModel()->hasSelection());
    emit copyStateChanged();
}

bool CNorvaView::canCopy() const {
    return m_grid->hasFocus() && m_grid->selectionModel()->hasSelection();
}

void CNorvaView::OnEditCopy() {
    const std::string text = m_logic.copyText(selectedLines());
    QApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}
