#include "CRowFormView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cstring>
#include <memory>

#include "CMainFrame.h"
#include "CNorvaDoc.h"
#include "DetailContent.h"
#include "DialogUnits.h"
#include "EntrySort.h"
#include "EntryTableModel.h"
#include "EntryTableView.h"
#include "EquationView.h"
#include "IUserInterface.h"
#include "NameListModel.h"
#include "SearchBar.h"

namespace {

// The form's designed size in dialog units.
constexpr int kFormWidth = 245;
constexpr int kFormHeight = 238;
// Entries beyond the designed list's height that a first start shows.
constexpr int kExtraEntries = 6;

// Value lines in the order of m_lines, with their places in dialog units.
struct LinePlace {
    const char* name;
    int x, y;
};
constexpr LinePlace kLinePlaces[7] = {{"L1", 13, 33},  {"L2", 13, 46},  {"L3", 13, 59},
                                      {"R1", 126, 33}, {"R2", 126, 46}, {"R3", 126, 59},
                                      {"R4", 126, 72}};

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QSize CRowFormView::sizeHint() const {
    const DialogUnits du(font());
    const QSize designed(du.x(kFormWidth), du.y(kFormHeight));
    // The designed entry list is too narrow for its five columns: the form is widened until
    // they fit, each as wide as its header or a 12-character number, and made taller by a
    // few more entries.
    const QFontMetrics cells = m_entries->fontMetrics();
    const QFontMetrics headers = m_entries->horizontalHeader()->fontMetrics();
    const int cellPadding = 2 * cells.horizontalAdvance(' ') + 8;
    const int numberWidth = cells.horizontalAdvance(QString(12, '0')) + cellPadding;
    const int chrome =
        2 * m_entries->frameWidth() + m_entries->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int needed = 0;
    for (const bool rows : {true, false}) {
        int width = chrome;
        for (const std::string& header : detailHeaders(rows))
            width += std::max(numberWidth,
                              headers.horizontalAdvance(fromUtf8(header)) + 2 * cellPadding);
        needed = std::max(needed, width);
    }
    const int extraWidth = std::max(0, needed - du.rect(5, 101, 235, 72).width());
    const int extraHeight = kExtraEntries * m_entries->rowHeight();
    return designed + QSize(extraWidth, extraHeight);
}

CRowFormView::CRowFormView(CNorvaDoc& doc, IUserInterface& ui, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_ui(ui),
      m_logic(doc),
      m_nameModel(new NameListModel(m_logic, this)),
      m_entryModel(new EntryTableModel(m_logic, this)) {
    setObjectName("CRowFormView");
    createControls();
    placeControls();
    connectControls();
}

void CRowFormView::createControls() {
    m_group = new QGroupBox(tr("Row Names"), this);
    m_names = new QComboBox(this);
    m_names->setModel(m_nameModel);
    // A list of a million names must not be measured item by item.
    m_names->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* popup = new QListView(m_names);
    popup->setUniformItemSizes(true);
    m_names->setView(popup);
    m_toggle = new QPushButton(tr("Display by Col"), this);
    for (QLabel*& line : m_lines) line = new QLabel(this);
    m_warning = new QLabel(this);
    m_notes = new QLabel(this);
    m_notes->setObjectName("notes");
    m_entries = new EntryTableView(m_logic, this);
    m_entries->setModel(m_entryModel);
    m_entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_entries->setRowHeight(fontMetrics().height() + 4);
    m_entries->horizontalHeader()->setSectionsClickable(true);
    m_entries->horizontalHeader()->setHighlightSections(false);
    m_entries->horizontalHeader()->setSortIndicatorShown(true);
    m_equation = new EquationView(this);
    m_marker = new QPushButton("~~STRETCH", this);
    m_marker->hide();
}

void CRowFormView::placeControls() {
    const DialogUnits du(font());
    m_group->setGeometry(du.rect(5, 2, 235, 84));
    const QRect names = du.rect(12, 15, 152, 80);
    m_names->setGeometry(names.x(), names.y(), names.width(), m_names->sizeHint().height());
    m_toggle->setGeometry(du.rect(167, 14, 68, 14));
    for (int i = 0; i < 7; ++i)
        m_lines[i]->setGeometry(du.rect(kLinePlaces[i].x, kLinePlaces[i].y, 109, 8));
    m_warning->setGeometry(du.rect(7, 89, 230, 10));
    // The free place below the left value lines: the first note, all of them on hover.
    m_notes->setGeometry(du.rect(13, 72, 109, 8));
    m_entries->setGeometry(du.rect(5, 101, 235, 72));
    m_equation->setGeometry(du.rect(5, 181, 235, 52));
    m_marker->setGeometry(du.rect(108, 126, 50, 14));
    // The group box frames the controls above it, which must stay clickable.
    m_group->lower();
    resize(du.x(kFormWidth), du.y(kFormHeight));
}

void CRowFormView::connectControls() {
    connect(m_names, &QComboBox::currentIndexChanged, this, &CRowFormView::nameChosen);
    connect(m_toggle, &QPushButton::clicked, this, &CRowFormView::OnToggle);
    connect(m_entries, &QAbstractItemView::doubleClicked, this, &CRowFormView::OnToggle);
    connect(m_entries->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CRowFormView::headerClicked);
    connect(m_entries->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CRowFormView::entrySelectionChanged);
}

QLabel* CRowFormView::valueLine(const char* name) const {
    for (int i = 0; i < 7; ++i)
        if (std::strcmp(kLinePlaces[i].name, name) == 0) return m_lines[i];
    return nullptr;
}

void CRowFormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_stretch.isSetUp()) m_stretch.resize(size());
}

void CRowFormView::OnInitialUpdate() {
    if (!m_stretch.isSetUp()) {
        const DialogUnits du(font());
        m_stretch.setUp(*this, *m_marker, QSize(du.x(kFormWidth), du.y(kFormHeight)));
    }
    if (m_frame != nullptr) {
        const QSignalBlocker quiet(m_frame->searchBar()->viewSubmatrix());
        m_frame->searchBar()->viewSubmatrix()->setChecked(m_frame->submatrixShown());
    }
    std::optional<std::string> pending;
    {
        const WaitCursor wait(m_ui);
        pending = m_logic.OnInitialUpdate();
    }
    // The pane keeps its text only between selections of one model: a new model, or none
    // after a failed open, starts it empty.
    m_equation->setEquation({});
    showAll();
    if (pending) m_doc.settings().WholeWordSearch = 1;
    putPendingSearch(pending);
    if (m_frame != nullptr)
        m_frame->searchBar()->searchText()->setText(fromUtf8(m_doc.settings().Search));
}

void CRowFormView::OnUpdate(int hint) {
    std::optional<std::string> pending;
    {
        const WaitCursor wait(m_ui);
        pending = m_logic.OnUpdate(hint);
    }
    if (hint != 0) showAll();
    putPendingSearch(pending);
}

void CRowFormView::putPendingSearch(const std::optional<std::string>& pending) {
    if (!pending || m_frame == nullptr) return;
    m_frame->searchBar()->searchText()->setText(fromUtf8(*pending));
    if (m_searchPending) m_searchPending();
}

void CRowFormView::OnToggle() {
    {
        const WaitCursor wait(m_ui);
        m_logic.Toggle();
    }
    showAll();
    const auto& selected = m_logic.selectedEntries();
    if (!selected.empty())
        m_entries->scrollTo(m_entryModel->index(static_cast<int>(selected.front()), 0));
}

void CRowFormView::showAll() {
    const bool wasShowing = m_showing;
    m_showing = true;
    m_group->setTitle(tr(m_logic.groupCaption()));
    m_toggle->setText(tr(m_logic.toggleCaption()));
    m_entries->setSelectionMode(m_logic.multipleSelection() ? QAbstractItemView::ExtendedSelection
                                                            : QAbstractItemView::SingleSelection);
    m_nameModel->refill();
    const auto selected = m_logic.selectedName();
    m_names->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
    m_showing = wasShowing;
    showContent();
}

void CRowFormView::showContent() {
    const bool wasShowing = m_showing;
    m_showing = true;
    const DetailContent& content = m_logic.content();
    const std::string* texts[7] = {&content.L1, &content.L2, &content.L3, &content.R1,
                                   &content.R2, &content.R3, &content.R4};
    for (int i = 0; i < 7; ++i) m_lines[i]->setText(fromUtf8(*texts[i]));
    m_warning->setText(fromUtf8(content.warning));
    showNotes(content.notes);
    m_entryModel->refill();
    const int sortKey = m_doc.sortKey();
    m_entries->horizontalHeader()->setSortIndicator(
        sortKey, sortKeyAscending(sortKey) ? Qt::AscendingOrder : Qt::DescendingOrder);
    m_entries->resizeColumnsToContents();
    showSelection();
    m_showing = wasShowing;
    showEquation();
}

void CRowFormView::showNotes(const std::vector<std::string>& notes) {
    QString first;
    QStringList all;
    for (const std::string& note : notes) all << fromUtf8(note);
    if (!all.isEmpty()) first = all.size() == 1 ? all.front()
                                                : all.front() + tr(" (+%1 more)").arg(all.size() - 1);
    m_notes->setText(first);
    m_notes->setToolTip(all.join('\n'));
}

void CRowFormView::showSelection() {
    QItemSelectionModel* selection = m_entries->selectionModel();
    selection->clearSelection();
    const auto& selected = m_logic.selectedEntries();
    for (const std::size_t entry : selected) {
        const QModelIndex index = m_entryModel->index(static_cast<int>(entry), 0);
        selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (!selected.empty())
        selection->setCurrentIndex(m_entryModel->index(static_cast<int>(selected.front()), 0),
                                   QItemSelectionModel::NoUpdate);
}

void CRowFormView::showEquation() {
    if (m_logic.selectedEntries().empty()) return;
    std::optional<EquationMaker> maker = m_logic.equationMaker();
    if (!maker) return;
    EquationText start;
    if (maker->makeNext(EquationMaker::kTermsAtFirst, start)) return m_equation->setEquation(start);
    // The maker holds the library's handles: a model opened meanwhile ends it, and the
    // document's update then shows the new model's equation.
    const std::size_t expectedLength = start.text.size() + maker->expectedLength();
    auto shared = std::make_shared<EquationMaker>(std::move(*maker));
    m_equation->setEquation(
        start,
        [this, shared, object = m_doc.matrixObject(),
         generation = m_doc.modelGeneration()](EquationText& piece) {
            if (m_doc.matrixObject() != object || m_doc.modelGeneration() != generation)
                return true;
            return shared->makeNext(EquationMaker::kTermsPerStretch, piece);
        },
        expectedLength);
}

void CRowFormView::nameChosen(int index) {
    if (m_showing) return;
    {
        const WaitCursor wait(m_ui);
        m_logic.selectName(index < 0 ? std::nullopt
                                     : std::optional<std::size_t>(static_cast<std::size_t>(index)));
    }
    showContent();
}

void CRowFormView::entrySelectionChanged() {
    if (m_showing) return;
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : m_entries->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    m_logic.setSelectedEntries(std::move(rows));
    showEquation();
}

void CRowFormView::headerClicked(int section) {
    {
        const WaitCursor wait(m_ui);
        m_logic.sortBy(section);
    }
    showContent();
}
