#include "grapher/gui/chart_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvex {

namespace {

// A drag shorter than this in either direction is a click, not a zoom.
constexpr int kZoomThreshold = 4;

} // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

void ChartView::setBackgroundImage(const QImage& image) {
    background_ = image;
    refresh();
}

void ChartView::refresh() {
    painted_ = QImage();
    update();
}

void ChartView::resetZoom() {
    look_.xRange.reset();
    look_.yRange.reset();
    refresh();
}

ChartLayout ChartView::layout() const {
    return ChartLayout(look_, shown(), QRectF(rect()));
}

void ChartView::render(QPainter& painter, QRectF target) const {
    const ChartLayout where(look_, shown(), target);
    paintChart(painter, where, look_, shown(), background_.isNull() ? nullptr : &background_);
}

void ChartView::setDragSquare(std::optional<QPoint> centre) {
    dragSquare_ = centre;
    update();
}

void ChartView::paintEvent(QPaintEvent*) {
    if (painted_.size() != size()) {
        painted_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        QPainter p(&painted_);
        render(p, QRectF(painted_.rect()));
    }
    QPainter painter(this);
    painter.drawImage(0, 0, painted_);
    if (zoomStart_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(*zoomStart_, zoomEnd_).normalized());
    }
    if (dragSquare_) {
        // A red outline combined with what is below by not-XOR, so it shows on any colour.
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QPen(Qt::red, 1));
        painter.setBrush(Qt::NoBrush);
        const int half = kDragSquareSide / 2;
        painter.drawRect(QRect(*dragSquare_ - QPoint(half, half),
                               QSize(kDragSquareSide - 1, kDragSquareSide - 1)));
    }
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    painted_ = QImage();
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const double radius = std::max(look_.symbolSize, look_.lineWidth) + 3;
    if (const std::optional<int> index = pointNear(shown(), layout().mapping(), at, radius)) {
        emit pointClicked(*index, at);
        if (editingPoints_) return; // the press took the point away or started its drag
    }
    zoomStart_ = at;
    zoomEnd_ = at;
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (zoomStart_) {
        zoomEnd_ = at;
        update();
    }
    emit mouseMoved(at);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (zoomStart_) {
        const QPoint start = *zoomStart_;
        zoomStart_.reset();
        const QPoint drag = at - start;
        if (drag.x() >= kZoomThreshold && drag.y() >= kZoomThreshold)
            zoomTo(QRect(start, at));
        else if (drag.x() <= -kZoomThreshold || drag.y() <= -kZoomThreshold)
            resetZoom();
        else
            update();
    }
    emit mouseReleased(at);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) resetZoom();
}

void ChartView::zoomTo(const QRect& area) {
    const ChartMapping mapping = layout().mapping();
    const QRectF plot = mapping.plot();
    const QRectF inside = QRectF(area).intersected(plot);
    if (inside.isEmpty()) return;
    look_.xRange = AxisRange{mapping.xAt(inside.left()), mapping.xAt(inside.right())};
    look_.yRange = AxisRange{mapping.yAt(inside.bottom()), mapping.yAt(inside.top())};
    refresh();
}

} // namespace quorvex
