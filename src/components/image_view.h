#pragma once

#include "core/mark_layer.h"
#include "core/raster.h"

#include <QImage>
#include <QLineF>
#include <QMouseEvent>
#include <QWidget>
#include <optional>
#include <vector>

namespace quorvex {

// The image view: shows a raster, stretched to the widget's size. It paints from the raster's
// own pixels (wrapRaster), so a change of the raster needs only a repaint of the changed part.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    // Shows the raster (kept by the caller) at its own size, with the drawings of its mark
    // layer over it; nullptr removes the picture.
    void setRaster(const Raster* raster, const MarkLayer* marks = nullptr);
    const MarkLayer* marks() const { return marks_; }
    const Raster* raster() const { return raster_; }
    bool hasPicture() const { return raster_ && !raster_->isEmpty(); }
    // Repaints the part of the view that shows a changed part of the raster (image pixels).
    void refresh(const QRect& imageRect);
    void refreshAll();
    const QImage& picture() const { return picture_; }
    // Lines through a view point drawn on the screen only (not into the raster), until cleared.
    void setGuideLines(std::optional<QPointF> at);
    // Dotted circles drawn on the screen only (search in area) in inverting ink of a colour,
    // until the next full refresh. Centre and radius are in view pixels.
    struct OverlayCircle {
        QPointF centre;
        double radius;
        Colour colour;
    };
    void addOverlayCircle(QPointF centre, double radius, Colour colour);
    void clearOverlayCircles();
    // A dotted line in inverting ink of a colour, drawn on the screen only (view pixels), until
    // cleared: the line the rotation tool is drawing.
    void setOverlayLine(std::optional<QLineF> line, Colour colour = kRed);
    std::optional<QLineF> overlayLine() const { return line_; }
    const std::vector<OverlayCircle>& overlayCircles() const { return circles_; }
    std::optional<QPointF> guideLines() const { return guide_; }

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { emit mousePressed(event); }
    void mouseMoveEvent(QMouseEvent* event) override { emit mouseMoved(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { emit mouseReleased(event); }

private:
    // Wraps the raster again when it was replaced or reallocated since it was wrapped.
    void followRaster();

    // Paints the mark layer's tiles that meet the exposed part of the picture.
    void paintMarks(QPainter& painter, const QRectF& source, double scaleX, double scaleY);

    const Raster* raster_ = nullptr;
    const MarkLayer* marks_ = nullptr;
    QImage picture_;
    std::optional<QPointF> guide_;
    std::vector<OverlayCircle> circles_;
    std::optional<QLineF> line_;
    Colour lineColour_ = kRed;
};

} // namespace quorvex
