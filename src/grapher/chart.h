#pragma once

#include "core/colour.h"

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <optional>
#include <vector>

namespace quorvex {

struct ChartPoint {
    double x = 0, y = 0;
    Colour colour = kRed;
};

// The points of one series, kept in ascending X (equal X in the order they came) or in the
// order they came. Points are appended cheaply and put in order when they are next read.
class ChartSeries {
public:
    void setKeepsAscendingX(bool ascending);
    bool keepsAscendingX() const { return ascending_; }
    void add(double x, double y, Colour colour);
    // Room for `count` points in all, so that a long filling does not move them again and again.
    void reserve(int count) { points_.reserve(static_cast<std::size_t>(std::max(count, 0))); }
    void clear();
    void remove(int index);
    // Puts a point back at an index (a removed point restored where it was).
    void insert(int index, const ChartPoint& point);
    bool isEmpty() const { return points_.empty(); }
    int size() const { return static_cast<int>(points_.size()); }
    const std::vector<ChartPoint>& points() const;

private:
    mutable std::vector<ChartPoint> points_;
    mutable bool sorted_ = true;
    bool ascending_ = true;
};

// The value range of an axis.
struct AxisRange {
    double min = 0, max = 1;
};

// Where the ticks of an axis go: the values of the major ticks (labelled, with grid lines) and
// of the minor ticks between them (four between two majors).
struct AxisTicks {
    std::vector<double> major;
    std::vector<double> minor;
};

// Ticks for a linear axis at steps of 1, 2 or 5 times a power of ten, about `wanted` of them.
AxisTicks linearTicks(AxisRange range, int wanted);
// Ticks for a logarithmic axis: powers of ten (or steps of their exponents on a wide range)
// when the range covers a decade, else the linear rule on the values.
AxisTicks logTicks(AxisRange range, int wanted);

// The range of the values a series shows, widened when it is a single value; nothing for an
// empty series. With `positiveOnly` values of 0 or less are left out (a logarithmic axis).
std::optional<AxisRange> xRange(const ChartSeries& series, bool positiveOnly = false);
std::optional<AxisRange> yRange(const ChartSeries& series, bool positiveOnly = false);

// The mapping between values and the pixels of the plot area, linear or logarithmic per axis.
class ChartMapping {
public:
    ChartMapping(QRectF plot, AxisRange x, AxisRange y, bool logX, bool logY);
    QPointF toPixel(double x, double y) const;
    double xToPixel(double x) const;
    double yToPixel(double y) const;
    // The values at a pixel (for a logarithmic axis, 10 to the mapped exponent).
    double xAt(double pixel) const;
    double yAt(double pixel) const;
    const QRectF& plot() const { return plot_; }

private:
    double forward(double v, bool log) const;
    QRectF plot_;
    double x0_, x1_, y0_, y1_;
    double xScale_ = 1, yScale_ = 1; // pixels per (mapped) unit
    bool logX_, logY_;
};

// The index of the point of the series nearest to a pixel, within `radius` pixels; nothing
// when no point is that close.
std::optional<int> pointNear(const ChartSeries& series, const ChartMapping& mapping, QPointF at,
                             double radius);

// The rules of the symbol and line sizes: one bigger, or one smaller but at least 1.
int increasedSize(int size);
int decreasedSize(int size);

} // namespace quorvex
