#pragma once

#include "autodigit/engine.h"
#include "image/vector_page.h"

#include <QPointF>
#include <vector>

namespace quorvex {

// The points of a curve on a vector picture, read from its paths instead of its pixels. A path
// belongs to the curve when its stroke (or, for a filled path without a stroke, its fill) lies
// within the recognition's CIELAB tolerance of the curve colour. Paths made only of horizontal
// and vertical straight segments (axes, frame, grid, ticks, legend samples) are left out, as are
// the glyphs of text. A small closed path is a marker and gives its centre; any other path gives
// every vertex in the area ("as plotted"), or with `everyStep` one point every `step` pixels
// along X, interpolated on its segments (curves followed as Qt flattens them). The points come
// in X order when the scan is one-valued (one per X, the first path's), else in drawing order.
std::vector<QPointF> vectorCurvePoints(const VectorLayer& layer, const ScanSettings& settings);

// The largest side of a path that counts as a marker, in pixels at the layer's resolution.
double markerLimit(const VectorLayer& layer);

} // namespace quorvex
