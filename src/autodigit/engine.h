#pragma once

#include "autodigit/grid.h"
#include "autodigit/recognition.h"
#include "core/raster.h"

#include <functional>
#include <vector>

namespace quorvex {

// Everything the column scan needs besides the raster.
struct ScanSettings {
    Recognition recognition;
    ScanArea area;
    int step = 1;   // 1..500
    int indent = 0; // 0..30
    bool oneValued = true;
    int thickness = 2; // 1..99, used when not one-valued
    bool selfCorrection = true;
    int correctionDepth = 15; // k: at most k + 1 rows are averaged
    GridSettings grid;
};

// The automatic scan, pure logic over the raster. Columns are examined from left to right
// (x0 = left + indent + 1, then every step-th column, grid columns skipped by their width); in
// each column the exact, interval and brightness modes take every run of matching pixels (the
// topmost only when one-valued), the two closest modes the single best pixel. A found pixel is
// moved to the middle of its vertical run when self-correction is on.
//
// The result is exactly that of the column-by-column rule, but the raster is read row by row:
// a one-valued run scan reads rows across a band of 64 columns until every column has found its
// topmost pixel; the other scans first copy a band into a column-major buffer. Only the short
// self-correction runs are read down a column.
//
// The distance mode examines every row of the area and takes the weighted centre of the run of
// curve-coloured pixels (with their anti-aliased edges) in each column: the run nearest the
// previous point when one-valued, every run otherwise; the centre is a fractional row with the
// sub-pixel option, rounded otherwise. Self-correction and thickness do not apply to it.
//
// `point(x, y)` receives every point in order (y is a whole row except for sub-pixel points).
// `column(x)` runs after each examined column and returns false to stop the scan.
enum class ScanOutcome { Finished, Stopped };
ScanOutcome scanArea(const Raster& raster, const ScanSettings& settings, const GridLines& lines,
                     const std::function<void(int x, double y)>& point,
                     const std::function<bool(int x)>& column);

// The test of a pixel for the curve colour as grid lines are sought under a recognition.
CurveColourTest curveColourTest(const Recognition& recognition);

// The columns the scan examines, in order.
std::vector<int> scanColumns(const Raster& raster, const ScanSettings& settings,
                             const GridLines& lines);

} // namespace quorvex
