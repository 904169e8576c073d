#include "grapher/chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvex {

void ChartSeries::setKeepsAscendingX(bool ascending) {
    if (ascending && !ascending_) sorted_ = false;
    ascending_ = ascending;
}

void ChartSeries::add(double x, double y, Colour colour) {
    if (ascending_ && !points_.empty() && x < points_.back().x) sorted_ = false;
    points_.push_back({x, y, colour});
}

void ChartSeries::clear() {
    points_.clear();
    sorted_ = true;
}

const std::vector<ChartPoint>& ChartSeries::points() const {
    if (!sorted_) {
        std::stable_sort(points_.begin(), points_.end(),
                         [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; });
        sorted_ = true;
    }
    return points_;
}

void ChartSeries::remove(int index) {
    points();
    if (index >= 0 && index < size()) points_.erase(points_.begin() + index);
}

void ChartSeries::insert(int index, const ChartPoint& point) {
    points();
    index = std::clamp(index, 0, size());
    points_.insert(points_.begin() + index, point);
}

namespace {

// 1, 2 or 5 times a power of ten, the nearest at or above `raw`.
double niceStep(double raw) {
    if (!(raw > 0) || !std::isfinite(raw)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return nice * power;
}

// Multiples of a step inside a range, with four minor ticks between two of them.
AxisTicks stepTicks(double min, double max, double step, bool exponents) {
    AxisTicks ticks;
    if (!(step > 0) || !(max > min)) return ticks;
    const double first = std::ceil(min / step - 1e-9) * step;
    const double minor = step / 5;
    for (double m = std::floor(min / step) * step; m <= max + step * 1e-9; m += step) {
        if (m >= first - step * 1e-9) ticks.major.push_back(std::abs(m) < step * 1e-9 ? 0 : m);
        for (int k = 1; k < 5; ++k) {
            const double v = m + k * minor;
            if (v > min && v < max) ticks.minor.push_back(v);
        }
        if (ticks.major.size() > 1000) break;
    }
    if (exponents) {
        for (double& v : ticks.major)
            v = std::pow(10.0, v);
        for (double& v : ticks.minor)
            v = std::pow(10.0, v);
    }
    return ticks;
}

} // namespace

AxisTicks linearTicks(AxisRange range, int wanted) {
    return stepTicks(range.min, range.max, niceStep((range.max - range.min) / std::max(wanted, 1)),
                     false);
}

AxisTicks logTicks(AxisRange range, int wanted) {
    if (!(range.min > 0) || !(range.max > range.min)) return linearTicks(range, wanted);
    const double a = std::log10(range.min), b = std::log10(range.max);
    if (b - a < 1) return linearTicks(range, wanted);
    const double step = std::max(1.0, std::ceil((b - a) / std::max(wanted, 1)));
    return stepTicks(a, b, step, true);
}

namespace {
template <typename Get>
std::optional<AxisRange> rangeOf(const ChartSeries& series, bool positiveOnly, Get get) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const ChartPoint& p : series.points()) {
        const double v = get(p);
        if (!std::isfinite(v) || (positiveOnly && !(v > 0))) continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (lo > hi) return std::nullopt;
    if (lo == hi) {
        // A single value: a range around it (by a factor on a logarithmic axis).
        if (positiveOnly) return AxisRange{lo / 10, hi * 10};
        const double pad = lo == 0 ? 1 : std::abs(lo) * 0.1;
        return AxisRange{lo - pad, hi + pad};
    }
    return AxisRange{lo, hi};
}
} // namespace

std::optional<AxisRange> xRange(const ChartSeries& series, bool positiveOnly) {
    return rangeOf(series, positiveOnly, [](const ChartPoint& p) { return p.x; });
}

std::optional<AxisRange> yRange(const ChartSeries& series, bool positiveOnly) {
    return rangeOf(series, positiveOnly, [](const ChartPoint& p) { return p.y; });
}

ChartMapping::ChartMapping(QRectF plot, AxisRange x, AxisRange y, bool logX, bool logY)
    : plot_(plot), logX_(logX && x.min > 0), logY_(logY && y.min > 0) {
    x0_ = forward(x.min, logX_);
    x1_ = forward(x.max, logX_);
    y0_ = forward(y.min, logY_);
    y1_ = forward(y.max, logY_);
    if (x1_ == x0_) x1_ = x0_ + 1;
    if (y1_ == y0_) y1_ = y0_ + 1;
    xScale_ = plot_.width() / (x1_ - x0_);
    yScale_ = plot_.height() / (y1_ - y0_);
}

double ChartMapping::forward(double v, bool log) const {
    return log ? (v > 0 ? std::log10(v) : -std::numeric_limits<double>::infinity()) : v;
}

double ChartMapping::xToPixel(double x) const {
    return plot_.left() + (forward(x, logX_) - x0_) * xScale_;
}

double ChartMapping::yToPixel(double y) const {
    return plot_.bottom() - (forward(y, logY_) - y0_) * yScale_;
}

QPointF ChartMapping::toPixel(double x, double y) const {
    return QPointF(xToPixel(x), yToPixel(y));
}

double ChartMapping::xAt(double pixel) const {
    const double v = x0_ + (pixel - plot_.left()) * (x1_ - x0_) / plot_.width();
    return logX_ ? std::pow(10.0, v) : v;
}

double ChartMapping::yAt(double pixel) const {
    const double v = y0_ + (plot_.bottom() - pixel) * (y1_ - y0_) / plot_.height();
    return logY_ ? std::pow(10.0, v) : v;
}

std::optional<int> pointNear(const ChartSeries& series, const ChartMapping& mapping, QPointF at,
                             double radius) {
    std::optional<int> best;
    double bestDistance = radius * radius;
    const auto& points = series.points();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF p = mapping.toPixel(points[i].x, points[i].y);
        const double dx = p.x() - at.x(), dy = p.y() - at.y();
        const double d = dx * dx + dy * dy;
        if (d <= bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int increasedSize(int size) {
    return size + 1;
}

int decreasedSize(int size) {
    return std::max(1, size - 1);
}

} // namespace quorvex
