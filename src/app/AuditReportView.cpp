#include "AuditReportView.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "CompareReportWriter.h"
#include "NumberText.h"

namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

QString text(const std::string& value) { return QString::fromStdString(value); }
QString number(double value) { return text(numberText(value)); }

bool checkKindIsRow(CheckKind kind) {
    return kind == CheckKind::kRowActivity || kind == CheckKind::kRowBound ||
           kind == CheckKind::kRowMarginal;
}

}  // namespace

AuditReportView::AuditReportView(QWidget* parent)
    : QDockWidget(tr("Check and Compare"), parent),
      m_summary(new QLabel),
      m_table(new QTableWidget(0, 6)) {
    setObjectName("AuditReportView");
    m_table->setHorizontalHeaderLabels(
        {tr("Kind"), tr("Name"), tr("Row"), tr("Value"), tr("Against"), tr("By")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    setWidget(content);
    connect(m_table, &QTableWidget::cellDoubleClicked, this,
            [this](int line, int) { lineActivated(line); });
}

void AuditReportView::clear() {
    m_table->setRowCount(0);
    m_summary->clear();
    m_rows.clear();
    m_columns.clear();
}

void AuditReportView::showCheck(const CheckReport& report) {
    clear();
    for (std::size_t i = 0; i < kCheckKindCount; ++i) {
        const auto kind = static_cast<CheckKind>(i);
        const bool marginal = kind == CheckKind::kRowMarginal || kind == CheckKind::kColumnMarginal;
        for (const Finding& finding : report.of(kind).ranked()) {
            const QString against = marginal ? text(finding.detail) : number(finding.second);
            addLine({text(std::string(checkKindName(kind))), text(finding.name), QString(),
                     number(finding.first), against, number(finding.magnitude)},
                    finding.name, checkKindIsRow(kind), {});
        }
    }
    const std::size_t total = report.violationCount();
    m_summary->setText(total == 0 ? tr("Solution check: no violation beyond the tolerances.")
                                  : tr("Solution check: %1 violations; the largest of each kind "
                                       "are listed.")
                                        .arg(total));
    m_table->resizeColumnsToContents();
    show();
}

void AuditReportView::showCompare(const CompareReport& report, const QString& otherFile) {
    clear();
    for (std::size_t i = 0; i < kCompareKindCount; ++i) {
        const auto kind = static_cast<CompareKind>(i);
        for (const Finding& finding : report.findings[i].ranked()) {
            // The change as the text report writes it, after "name: ".
            const std::string line = compareFindingText(kind, finding);
            const std::size_t colon = line.find(": ");
            const QString change =
                colon == std::string::npos ? QString() : text(line.substr(colon + 2));
            addLine(
                {text(std::string(compareKindName(kind))), text(finding.name), text(finding.detail),
                 change, QString(), change.isEmpty() ? QString() : number(finding.magnitude)},
                finding.name, compareKindIsRow(kind), finding.detail);
        }
    }
    const std::size_t total = report.differenceCount();
    m_summary->setText(
        total == 0 ? tr("Compared with %1: no difference beyond the tolerances.").arg(otherFile)
                   : tr("Compared with %1: %2 differences; the largest of each "
                        "kind are listed.")
                         .arg(otherFile)
                         .arg(total));
    m_table->resizeColumnsToContents();
    show();
}

void AuditReportView::addLine(const QStringList& cells, const std::string& name, bool row,
                              const std::string& alsoRow) {
    const int line = m_table->rowCount();
    m_table->insertRow(line);
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setData(kRowRole, row);
        item->setData(kNameRole, text(name));
        m_table->setItem(line, column, item);
    }
    (row ? m_rows : m_columns).insert(name);
    if (!alsoRow.empty()) m_rows.insert(alsoRow);
}

void AuditReportView::lineActivated(int line) {
    const QTableWidgetItem* item = m_table->item(line, 0);
    if (item == nullptr) return;
    emit nameChosen(item->data(kNameRole).toString(), item->data(kRowRole).toBool());
}
