#include "autodigit/vector_scan.h"

#include "autodigit/colour_distance.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace quorvex {

namespace {

bool inArea(const ScanArea& area, QPointF p) {
    return p.x() >= area.left && p.x() <= area.right && p.y() >= area.top && p.y() <= area.bottom;
}

// Whether every segment of the path is a horizontal or vertical straight line.
bool onlyStraightAxisLines(const QPainterPath& path) {
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isCurveTo()) return false;
        const QPointF p(e.x, e.y);
        if (e.isLineTo()) {
            const QPointF d = p - last;
            if (std::abs(d.x()) > 1e-6 && std::abs(d.y()) > 1e-6) return false;
        }
        last = p;
    }
    return true;
}

// An axis-aligned closed rectangle (four corners): a frame, a background or a legend's box.
bool isRectangle(const QPainterPath& path) {
    return onlyStraightAxisLines(path) && path.elementCount() >= 4 && path.elementCount() <= 6 &&
           path.boundingRect().width() > 0 && path.boundingRect().height() > 0;
}

bool containsBox(const QRectF& outer, const QRectF& inner) {
    return inner.left() >= outer.left() - 1e-6 && inner.right() <= outer.right() + 1e-6 &&
           inner.top() >= outer.top() - 1e-6 && inner.bottom() <= outer.bottom() + 1e-6;
}

// The vertices of a path as plotted: the points it moves and draws to, the end of each curve.
void appendVertices(const QPainterPath& path, std::vector<QPointF>& out) {
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo() || e.isLineTo()) {
            out.emplace_back(e.x, e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element end = path.elementAt(i + 2);
            out.emplace_back(end.x, end.y);
            i += 2;
        }
    }
}

// Points every `step` pixels along X from the area's left edge, where the path's segments cross.
void appendSteps(const QPainterPath& path, const ScanArea& area, int step,
                 std::vector<QPointF>& out) {
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        for (int i = 0; i + 1 < polygon.size(); ++i) {
            const QPointF a = polygon[i], b = polygon[i + 1];
            const double lo = std::min(a.x(), b.x()), hi = std::max(a.x(), b.x());
            if (hi - lo < 1e-12) continue;
            // The step positions within [lo, hi) (the segment's end belongs to the next one).
            long long k = static_cast<long long>(std::ceil((lo - area.left) / step));
            for (double x = area.left + static_cast<double>(k) * step;
                 x < hi || (x <= hi && i + 2 == polygon.size());
                 x = area.left + static_cast<double>(++k) * step) {
                if (x < lo) continue;
                const double t = (x - a.x()) / (b.x() - a.x());
                out.emplace_back(x, a.y() + t * (b.y() - a.y()));
            }
        }
    }
}

} // namespace

double markerLimit(const VectorLayer& layer) {
    // Markers are at most a few points across (6 by default in most plotting programs): 16
    // points at the layer's resolution, less than a legend's line sample.
    return 16.0 * (layer.dpi > 0 ? layer.dpi : 72.0) / 72.0;
}

std::vector<QPointF> vectorCurvePoints(const VectorLayer& layer, const ScanSettings& settings) {
    const Recognition& r = settings.recognition;
    const ScanArea& area = settings.area;
    const Lab curve = labOf(r.curve);
    const double tolerance = std::max(r.tolerance, 0) + 1e-9;
    const double limit = markerLimit(layer);
    const QRectF areaBox(QPointF(area.left, area.top), QPointF(area.right, area.bottom));

    // Legends: boxes filled in a light colour (rectangles, or with rounded corners) inside the
    // area and much smaller than it; what lies in them is a sample, not data.
    std::vector<QRectF> legends;
    for (const VectorPath& p : layer.paths) {
        if (!p.filled || labOf(p.fill).L < 90 || p.path.elementCount() > 64) continue;
        if (!isRectangle(p.path) && !p.path.elementAt(0).isMoveTo()) continue;
        const QRectF box = p.path.boundingRect();
        if (containsBox(areaBox, box) &&
            box.width() * box.height() < 0.6 * areaBox.width() * areaBox.height() &&
            std::max(box.width(), box.height()) > limit)
            legends.push_back(box);
    }

    std::vector<QPointF> found;
    std::vector<QPointF> points;
    for (std::size_t index = 0; index < layer.paths.size(); ++index) {
        const VectorPath& p = layer.paths[index];
        const bool strokeMatches = p.stroked && deltaE76(labOf(p.stroke), curve) <= tolerance;
        const bool fillMatches = p.filled && deltaE76(labOf(p.fill), curve) <= tolerance;
        if (!strokeMatches && !fillMatches) continue;
        const QRectF box = p.path.boundingRect();
        if (std::any_of(legends.begin(), legends.end(),
                        [&box](const QRectF& legend) { return containsBox(legend, box); }))
            continue;
        const bool small = std::max(box.width(), box.height()) <= limit;
        points.clear();
        if (small) {
            // A marker: its centre. A filled shape without a stroke counts only when it is as
            // wide as high (markers are; the glyphs of text are not).
            const bool symmetric =
                std::abs(box.width() - box.height()) <= 0.2 * std::max(box.width(), box.height());
            if (!strokeMatches && !symmetric) continue;
            if (box.width() <= 0 || box.height() <= 0) continue; // a line is no marker
            points.push_back(box.center());
        } else {
            if (!strokeMatches) continue; // large filled areas are backgrounds and bars
            if (onlyStraightAxisLines(p.path)) continue;
            if (r.everyStep)
                appendSteps(p.path, area, std::max(settings.step, 1), points);
            else
                appendVertices(p.path, points);
        }
        for (const QPointF& point : points)
            if (inArea(area, point)) found.push_back(point);
    }
    if (settings.oneValued) {
        std::stable_sort(found.begin(), found.end(),
                         [](QPointF a, QPointF b) { return a.x() < b.x(); });
        // One point per X: the first path's.
        found.erase(
            std::unique(found.begin(), found.end(),
                        [](QPointF a, QPointF b) { return std::abs(a.x() - b.x()) < 1e-9; }),
            found.end());
    }
    return found;
}

} // namespace quorvex
