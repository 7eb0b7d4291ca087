#include "MagnitudePictureWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>
#include <QWheelEvent>
#include <algorithm>

#include "MatrixModel.h"
#include "PictureImage.h"

namespace {

constexpr int kDragThreshold = 4;
constexpr double kWheelZoom = 2.0;

// [begin, end) shrunk or grown by factor around the place at fraction of the way, kept
// inside [0, total) and at least one place long.
void zoomRange(std::uint32_t& begin, std::uint32_t& end, std::uint32_t total, double fraction,
               double factor) {
    const double length = end - begin;
    const double newLength = std::clamp(length / factor, 1.0, static_cast<double>(total));
    const double anchor = begin + fraction * length;
    double newBegin = anchor - fraction * newLength;
    newBegin = std::clamp(newBegin, 0.0, total - newLength);
    begin = static_cast<std::uint32_t>(newBegin);
    end = std::min(total, begin + static_cast<std::uint32_t>(std::max(1.0, newLength + 0.5)));
}

}  // namespace

MagnitudePictureWidget::MagnitudePictureWidget(const MatrixModel& model, QThreadPool& pool,
                                               QWidget* parent)
    : QWidget(parent), m_model(model), m_pool(pool) {
    setMouseTracking(true);
    setMinimumSize(64, 64);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MagnitudePictureWidget::setOrder(std::shared_ptr<const MatrixOrder> order) {
    m_order = std::move(order);
    showWhole();
}

void MagnitudePictureWidget::showWhole() {
    setView(m_order ? wholeMatrix(*m_order) : PictureView{});
}

void MagnitudePictureWidget::setView(const PictureView& view) {
    m_view = view;
    redraw();
}

void MagnitudePictureWidget::redraw() {
    const std::uint64_t generation = ++m_generation;
    if (!m_order || width() <= 0 || height() <= 0) {
        m_image = QImage();
        update();
        return;
    }
    const std::shared_ptr<const MatrixOrder> order = m_order;
    const PictureView view = m_view;
    const int w = width();
    const int h = height();
    const MatrixModel* model = &m_model;
    const QPointer<MagnitudePictureWidget> self(this);
    m_pool.start([self, order, view, w, h, model, generation] {
        QImage image = pictureImage(renderPicture(*model, *order, view, w, h));
        // The owner waits for the pool before this widget goes, so self is only checked, not
        // raced.
        QMetaObject::invokeMethod(
            self.data(),
            [self, image = std::move(image), generation] {
                if (!self || generation != self->m_generation) return;
                self->m_image = image;
                self->m_drawnGeneration = generation;
                self->update();
                emit self->drawn();
            },
            Qt::QueuedConnection);
    });
}

std::optional<PictureHit> MagnitudePictureWidget::hitAt(QPoint point) const {
    if (!m_order) return std::nullopt;
    return pictureHitAt(m_model, *m_order, m_view, width(), height(), point.x(), point.y());
}

QString MagnitudePictureWidget::describe(const PictureHit& hit) const {
    QString text = QString::fromUtf8(m_model.rowNameTable[hit.row]) + " x " +
                   QString::fromUtf8(m_model.columns[hit.column].cName());
    if (hit.value) text += " = " + QString::number(static_cast<double>(*hit.value), 'g', 9);
    return text;
}

PictureView MagnitudePictureWidget::viewBetween(QPoint a, QPoint b) const {
    const std::optional<PictureHit> first =
        hitAt({std::clamp(std::min(a.x(), b.x()), 0, width() - 1),
               std::clamp(std::min(a.y(), b.y()), 0, height() - 1)});
    const std::optional<PictureHit> last =
        hitAt({std::clamp(std::max(a.x(), b.x()), 0, width() - 1),
               std::clamp(std::max(a.y(), b.y()), 0, height() - 1)});
    if (!first || !last) return m_view;
    return {first->rowPlace, last->rowPlace + 1, first->columnPlace, last->columnPlace + 1};
}

void MagnitudePictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_image.isNull()) painter.drawImage(rect(), m_image);
    if (m_pressed && (m_dragEnd - *m_pressed).manhattanLength() > kDragThreshold) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(QRect(*m_pressed, m_dragEnd).normalized());
    }
}

void MagnitudePictureWidget::resizeEvent(QResizeEvent*) { redraw(); }

void MagnitudePictureWidget::wheelEvent(QWheelEvent* event) {
    if (!m_order || event->angleDelta().y() == 0) return;
    const double factor = event->angleDelta().y() > 0 ? kWheelZoom : 1.0 / kWheelZoom;
    const QPointF at = event->position();
    PictureView view = m_view;
    zoomRange(view.rowBegin, view.rowEnd, static_cast<std::uint32_t>(m_order->rows.size()),
              at.y() / height(), factor);
    zoomRange(view.columnBegin, view.columnEnd, static_cast<std::uint32_t>(m_order->columns.size()),
              at.x() / width(), factor);
    setView(view);
}

void MagnitudePictureWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_pressed = event->position().toPoint();
    m_dragEnd = *m_pressed;
}

void MagnitudePictureWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_pressed) {
        m_dragEnd = at;
        update();
    }
    if (const std::optional<PictureHit> hit = hitAt(at)) emit pointed(describe(*hit));
}

void MagnitudePictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) return;
    const QPoint start = *m_pressed;
    const QPoint end = event->position().toPoint();
    m_pressed.reset();
    if ((end - start).manhattanLength() > kDragThreshold) {
        setView(viewBetween(start, end));
        return;
    }
    update();
    const std::optional<PictureHit> hit = hitAt(end);
    if (!hit) return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        emit columnClicked(std::string(m_model.columns[hit->column].name()));
    else
        emit rowClicked(m_model.rowNameTable[hit->row]);
}
