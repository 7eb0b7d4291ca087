#include "ListingPreview.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kGap = 12;  // screen pixels around and between pages

}  // namespace

ListingPageView::ListingPageView(const ListingPages& pages, QPrinter& printer, QWidget* parent)
    : QAbstractScrollArea(parent), m_pages(pages), m_printer(printer) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    relayout();
}

void ListingPageView::relayout() {
    m_geometry = m_pages.geometryFor(m_printer);
    m_margins = m_printer.pageLayout().marginsPixels(m_printer.resolution());
    updateScrollBar();
    viewport()->update();
}

double ListingPageView::scale() const {
    const int width = std::max(100, viewport()->width() - 2 * kGap);
    return static_cast<double>(width) /
           std::max(1, m_geometry.page.width() + m_margins.left() + m_margins.right());
}

int ListingPageView::pagePitch() const {
    const int paper = m_geometry.page.height() + m_margins.top() + m_margins.bottom();
    return static_cast<int>(paper * scale()) + kGap;
}

void ListingPageView::updateScrollBar() {
    const qint64 total = static_cast<qint64>(m_geometry.pageCount) * pagePitch() + kGap;
    verticalScrollBar()->setRange(
        0, static_cast<int>(
               std::min<qint64>(INT_MAX, std::max<qint64>(0, total - viewport()->height()))));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, pagePitch() / 20));
}

void ListingPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void ListingPageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int top = verticalScrollBar()->value();
    const int pitch = pagePitch();
    const double factor = scale();
    const int pageHeight = pitch - kGap;
    const int pageWidth = viewport()->width() - 2 * kGap;
    for (int page = std::max(0, (top - kGap) / pitch); page < m_geometry.pageCount; ++page) {
        const int y = kGap + page * pitch - top;
        if (y > viewport()->height()) break;
        painter.fillRect(kGap, y, pageWidth, pageHeight, Qt::white);
        painter.save();
        painter.translate(kGap, y);
        painter.scale(factor, factor);
        painter.translate(m_margins.left(), m_margins.top());
        painter.setClipRect(QRect(QPoint(0, 0), m_geometry.page));
        m_pages.paintPage(painter, m_geometry, page);
        painter.restore();
    }
}

ListingPreview::ListingPreview(const ListingPages& pages, QPrinter& printer, const QString& title,
                               QWidget* parent)
    : QDialog(parent),
      m_pages(pages),
      m_printer(printer),
      m_view(new ListingPageView(pages, printer, this)) {
    setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* printButton = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    connect(printButton, &QPushButton::clicked, this, &ListingPreview::print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pageCount = new QLabel(tr("%n page(s)", nullptr, m_view->geometry().pageCount), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pageCount);
    bottom->addWidget(buttons, 1);
    layout->addLayout(bottom);
    resize(720, 860);
}

void ListingPreview::print() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = m_pages.paint(m_printer);
    QApplication::restoreOverrideCursor();
    m_view->relayout();
    if (!printed) QMessageBox::warning(this, tr("Error"), tr("The listing could not be printed."));
}
