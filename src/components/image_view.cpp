#include "components/image_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace quorvex {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::setRaster(const Raster* raster, const MarkLayer* marks) {
    raster_ = raster;
    marks_ = raster ? marks : nullptr;
    picture_ = hasPicture() ? wrapRaster(*raster_) : QImage();
    update();
}

void ImageView::followRaster() {
    if (!hasPicture()) {
        if (!picture_.isNull()) picture_ = QImage();
        return;
    }
    if (picture_.isNull() ||
        picture_.constBits() != reinterpret_cast<const uchar*>(raster_->row(0)) ||
        picture_.size() != QSize(raster_->width(), raster_->height()))
        picture_ = wrapRaster(*raster_);
}

void ImageView::refreshAll() {
    circles_.clear();
    setRaster(raster_, marks_);
}

void ImageView::paintMarks(QPainter& painter, const QRectF& source, double scaleX, double scaleY) {
    if (!marks_ || marks_->isEmpty() || marks_->width() != raster_->width() ||
        marks_->height() != raster_->height())
        return;
    const QRect area = source.toAlignedRect();
    for (const QRect& tile : marks_->markedTiles(area)) {
        QImage shown(tile.size(), QImage::Format_RGB32);
        for (int y = 0; y < tile.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < tile.width(); ++x)
                line[x] = toQRgb(marks_->shownPixel(*raster_, tile.left() + x, tile.top() + y));
        }
        painter.drawImage(QRectF(tile.left() * scaleX, tile.top() * scaleY, tile.width() * scaleX,
                                 tile.height() * scaleY),
                          shown);
    }
}

void ImageView::addOverlayCircle(QPointF centre, double radius, Colour colour) {
    circles_.push_back({centre, radius, colour});
    update(QRectF(centre.x() - radius - 1, centre.y() - radius - 1, 2 * radius + 3, 2 * radius + 3)
               .toAlignedRect());
}

void ImageView::clearOverlayCircles() {
    circles_.clear();
    update();
}

void ImageView::refresh(const QRect& imageRect) {
    followRaster();
    if (!hasPicture()) return;
    const QRect r = imageRect.intersected(picture_.rect());
    if (r.isEmpty()) return;
    // The view may stretch the picture: repaint the matching part of the widget.
    const double sx = width() / double(picture_.width()), sy = height() / double(picture_.height());
    update(QRectF(r.left() * sx, r.top() * sy, r.width() * sx + 1, r.height() * sy + 1)
               .toAlignedRect());
}

void ImageView::setGuideLines(std::optional<QPointF> at) {
    if (guide_)
        update(QRect(0, static_cast<int>(guide_->y()) - 1, width(), 3)),
            update(QRect(static_cast<int>(guide_->x()) - 1, 0, 3, height()));
    guide_ = at;
    if (guide_)
        update(QRect(0, static_cast<int>(guide_->y()) - 1, width(), 3)),
            update(QRect(static_cast<int>(guide_->x()) - 1, 0, 3, height()));
}

void ImageView::setOverlayLine(std::optional<QLineF> line, Colour colour) {
    // Only the strip around the old and the new line is painted again.
    auto area = [](const QLineF& l) {
        return QRectF(l.p1(), l.p2()).normalized().toAlignedRect().adjusted(-2, -2, 2, 2);
    };
    QRect dirty;
    if (line_) dirty = area(*line_);
    if (line) dirty |= area(*line);
    line_ = line;
    lineColour_ = colour;
    if (!dirty.isEmpty()) update(dirty);
}

void ImageView::paintEvent(QPaintEvent* event) {
    followRaster();
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    if (picture_.size() == size()) {
        painter.drawImage(event->rect(), picture_, event->rect());
        paintMarks(painter, event->rect(), 1.0, 1.0);
    } else {
        // Stretched: draw only the source part behind the exposed rectangle.
        const double sx = picture_.width() / double(width()),
                     sy = picture_.height() / double(height());
        const QRectF target = event->rect();
        const QRectF source(target.left() * sx, target.top() * sy, target.width() * sx,
                            target.height() * sy);
        painter.drawImage(target, picture_, source);
        painter.save();
        painter.setClipRect(target);
        paintMarks(painter, source, 1.0 / sx, 1.0 / sy);
        painter.restore();
    }
    if (!circles_.empty()) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setBrush(Qt::NoBrush);
        for (const OverlayCircle& c : circles_) {
            painter.setPen(QPen(QColor::fromRgb(toQRgb(c.colour)), 1, Qt::DotLine));
            painter.drawEllipse(c.centre, c.radius, c.radius);
        }
        painter.restore();
    }
    if (line_) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QPen(QColor::fromRgb(toQRgb(lineColour_)), 1, Qt::DotLine));
        painter.drawLine(*line_);
        painter.restore();
    }
    if (guide_) {
        // Inverting ink, so the lines show on any picture.
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.setPen(QColor(0xFF, 0x00, 0x00));
        painter.drawLine(QPointF(guide_->x(), 0), QPointF(guide_->x(), height()));
        painter.drawLine(QPointF(0, guide_->y()), QPointF(width(), guide_->y()));
    }
}

} // namespace quorvex
