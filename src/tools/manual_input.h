#pragma once

#include "core/mark_layer.h"
#include "core/raster.h"

#include <QPoint>
#include <optional>
#include <vector>

namespace quorvex {

// Self-correction of a click: within `window` rows above and below the clicked row of the
// clicked column, the topmost run of pixels exactly in the curve colour (24 bits) is found and
// the row in its middle (the rounded mean of at most window + 1 rows) returned, in image
// pixels. Nothing found in the window: no row. (u, v) is the view position, s the view scale.
std::optional<int> selfCorrectedRow(const Raster& raster, Colour curve, double u, double v,
                                    double scale, int window);

// The poly-Bezier stroke of manual input: up to 254 points; it is drawn whenever it holds
// 3k + 1 points (k >= 1), each time from its first point.
class BezierStroke {
public:
    static constexpr int kMaxPoints = 254;
    // Adds a point; false when the stroke is full (the point is not added).
    bool add(QPoint p);
    void clear() { points_.clear(); }
    void dropLast() {
        if (!points_.empty()) points_.pop_back();
    }
    int count() const { return static_cast<int>(points_.size()); }
    bool drawable() const { return count() >= 4 && (count() - 1) % 3 == 0; }
    const std::vector<QPoint>& points() const { return points_; }

private:
    std::vector<QPoint> points_;
};

// Draws the stroke with a solid pen of the given width: copy mode, or on a 1-bit raster the
// mode that paints white. Returns false when the count is not 3k + 1 (nothing drawn).
// With a mark layer the stroke goes into the layer.
bool drawBezierStroke(Raster& raster, const BezierStroke& stroke, int width, Colour colour,
                      MarkLayer* marks = nullptr);

} // namespace quorvex
