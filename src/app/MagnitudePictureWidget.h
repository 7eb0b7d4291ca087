#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "MagnitudePicture.h"
#include "MatrixOrder.h"

class QThreadPool;
struct MatrixModel;

// The magnitude picture of the matrix, drawn to the widget's size on a worker thread. The
// wheel zooms around the pointer, a dragged rectangle zooms to it, down to single
// coefficients; a click names the row (the column with Ctrl or Shift) under the pointer.
class MagnitudePictureWidget : public QWidget {
    Q_OBJECT
public:
    // pool runs the drawing; it must outlive every drawing started, which its owner ensures
    // by waiting for it before the model changes or the widget goes.
    MagnitudePictureWidget(const MatrixModel& model, QThreadPool& pool, QWidget* parent = nullptr);

    // A new order (or a new model with it): shows the whole matrix. Null shows nothing.
    void setOrder(std::shared_ptr<const MatrixOrder> order);
    void showWhole();
    const PictureView& view() const { return m_view; }
    void setView(const PictureView& view);
    // Whether the image on screen is the drawing of the current view at the current size.
    bool upToDate() const { return m_drawnGeneration == m_generation && !m_image.isNull(); }
    const QImage& image() const { return m_image; }
    // What lies under a point of the widget.
    std::optional<PictureHit> hitAt(QPoint point) const;

signals:
    void rowClicked(const std::string& name);
    void columnClicked(const std::string& name);
    // The names and value under the pointer, for the status bar.
    void pointed(const QString& text);
    void drawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redraw();
    QString describe(const PictureHit& hit) const;
    // The view that the rectangle between two widget points covers.
    PictureView viewBetween(QPoint a, QPoint b) const;

    const MatrixModel& m_model;
    QThreadPool& m_pool;
    std::shared_ptr<const MatrixOrder> m_order;
    PictureView m_view;
    QImage m_image;
    std::uint64_t m_generation = 0;
    std::uint64_t m_drawnGeneration = 0;
    std::optional<QPoint> m_pressed;
    QPoint m_dragEnd;
};
