#include "core/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvex {

std::uint32_t applyRasterOp(RasterOp op, std::uint32_t p, std::uint32_t d, std::uint32_t mask) {
    std::uint32_t r = 0;
    switch (op) {
    case RasterOp::Black:
        r = 0;
        break;
    case RasterOp::NotMergePen:
        r = ~(p | d);
        break;
    case RasterOp::MaskNotPen:
        r = ~p & d;
        break;
    case RasterOp::NotCopyPen:
        r = ~p;
        break;
    case RasterOp::MaskPenNot:
        r = p & ~d;
        break;
    case RasterOp::Not:
        r = ~d;
        break;
    case RasterOp::XorPen:
        r = p ^ d;
        break;
    case RasterOp::NotMaskPen:
        r = ~(p & d);
        break;
    case RasterOp::MaskPen:
        r = p & d;
        break;
    case RasterOp::NotXorPen:
        r = ~(p ^ d);
        break;
    case RasterOp::Nop:
        r = d;
        break;
    case RasterOp::MergeNotPen:
        r = ~p | d;
        break;
    case RasterOp::CopyPen:
        r = p;
        break;
    case RasterOp::MergePenNot:
        r = p | ~d;
        break;
    case RasterOp::MergePen:
        r = p | d;
        break;
    case RasterOp::White:
        r = ~0u;
        break;
    }
    return r & mask;
}

void Canvas::setPixel(int x, int y, Colour c) {
    if (raster_.contains(x, y)) write(x, y, raster_.representable(c));
}

void Canvas::apply(int x, int y, Colour source) {
    if (!raster_.contains(x, y)) return;
    const RasterOp op = pen.mode;
    if (op == RasterOp::CopyPen) {
        write(x, y, raster_.representable(source));
        return;
    }
    const Colour destination = read(x, y);
    switch (raster_.format()) {
    case PixelFormat::Bit1:
    case PixelFormat::Bit4:
    case PixelFormat::Bit8: {
        const auto& palette = raster_.palette();
        const std::uint32_t mask = (1u << bitsPerPixel(raster_.format())) - 1;
        const std::uint32_t index =
            applyRasterOp(op, static_cast<std::uint32_t>(raster_.paletteIndex(source)),
                          static_cast<std::uint32_t>(raster_.paletteIndex(destination)), mask);
        write(x, y, index < palette.size() ? palette[index] : palette.front());
        break;
    }
    case PixelFormat::Bit15:
        write(x, y,
              unpack555(static_cast<std::uint16_t>(
                  applyRasterOp(op, pack555(source), pack555(destination), 0x7FFF))));
        break;
    case PixelFormat::Bit16:
        write(x, y,
              unpack565(static_cast<std::uint16_t>(
                  applyRasterOp(op, pack565(source), pack565(destination), 0xFFFF))));
        break;
    default:
        write(x, y, applyRasterOp(op, source, destination, 0xFFFFFF));
        break;
    }
}

namespace {

// The pixels of a line from a to b, both ends included (Bresenham).
void linePixels(QPoint a, QPoint b, std::vector<QPoint>& out) {
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
    int error = dx + dy;
    while (true) {
        out.emplace_back(x, y);
        if (x == b.x() && y == b.y()) break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void sortUnique(std::vector<QPoint>& points) {
    auto less = [](const QPoint& a, const QPoint& b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    };
    std::sort(points.begin(), points.end(), less);
    points.erase(std::unique(points.begin(), points.end()), points.end());
}

constexpr int kDotOn = 3;
constexpr int kDotPeriod = 6;

} // namespace

void Canvas::plotPenPixels(std::vector<QPoint>& pixels) {
    sortUnique(pixels);
    for (const QPoint& p : pixels)
        apply(p.x(), p.y(), pen.colour);
}

// Draws the segments between consecutive points. A width-1 pen leaves out each segment's last
// pixel and walks the dot pattern along the whole path; a wider pen stamps a disc of its width
// on every pixel of the path and draws the union once.
void Canvas::strokePath(const std::vector<QPoint>& points, bool closed) {
    if (points.size() < 2) return;
    std::vector<QPoint> path = points;
    if (closed) path.push_back(points.front());
    if (pen.width <= 1) {
        int patternPosition = 0;
        std::vector<QPoint> segment;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            segment.clear();
            linePixels(path[i], path[i + 1], segment);
            segment.pop_back();
            for (const QPoint& p : segment) {
                const bool on = pen.style == PenStyle::Solid || patternPosition < kDotOn;
                if (on) apply(p.x(), p.y(), pen.colour);
                patternPosition = (patternPosition + 1) % kDotPeriod;
            }
        }
        return;
    }
    std::vector<QPoint> centres;
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
        linePixels(path[i], path[i + 1], centres);
    sortUnique(centres);
    const double radius = pen.width / 2.0;
    std::vector<QPoint> stamp;
    const int reach = pen.width / 2 + 1;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            // Even widths sit half a pixel off the centre, as a stroke of that width must.
            const double ox = dx + (pen.width % 2 == 0 ? 0.5 : 0.0);
            const double oy = dy + (pen.width % 2 == 0 ? 0.5 : 0.0);
            if (ox * ox + oy * oy <= radius * radius + 0.25) stamp.emplace_back(dx, dy);
        }
    std::vector<QPoint> pixels;
    pixels.reserve(centres.size() * stamp.size());
    for (const QPoint& c : centres)
        for (const QPoint& s : stamp)
            pixels.push_back(c + s);
    plotPenPixels(pixels);
}

void Canvas::lineTo(int x, int y) {
    strokePath({current_, QPoint(x, y)}, false);
    current_ = QPoint(x, y);
}

void Canvas::line(int x0, int y0, int x1, int y1) {
    moveTo(x0, y0);
    lineTo(x1, y1);
}

void Canvas::polyline(const std::vector<QPoint>& points) {
    strokePath(points, false);
    if (!points.empty()) current_ = points.back();
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    const int r = right - 1, b = bottom - 1;
    if (brush.solid)
        for (int y = top + 1; y < b; ++y)
            for (int x = left + 1; x < r; ++x)
                apply(x, y, brush.colour);
    if (r == left || b == top) {
        // A box one pixel wide or high is a single line whose both ends count.
        std::vector<QPoint> pixels;
        linePixels(QPoint(left, top), QPoint(r, b), pixels);
        plotPenPixels(pixels);
        return;
    }
    strokePath({QPoint(left, top), QPoint(r, top), QPoint(r, b), QPoint(left, b)}, true);
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    // Pixel centres inside the ellipse inscribed in the box; each row's span is symmetric.
    const double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    const int rows = bottom - top;
    std::vector<int> spanLeft(rows), spanRight(rows);
    for (int i = 0; i < rows; ++i) {
        const double dy = (top + i - cy) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        spanLeft[i] = static_cast<int>(std::ceil(cx - half - 1e-9));
        spanRight[i] = static_cast<int>(std::floor(cx + half + 1e-9));
        if (spanRight[i] < spanLeft[i]) { // always keep the middle pixel(s) of a row
            spanLeft[i] = static_cast<int>(std::floor(cx));
            spanRight[i] = static_cast<int>(std::ceil(cx));
        }
    }
    auto inside = [&](int x, int row) {
        return row >= 0 && row < rows && x >= spanLeft[row] && x <= spanRight[row];
    };
    for (int i = 0; i < rows; ++i)
        for (int x = spanLeft[i]; x <= spanRight[i]; ++x) {
            const bool border =
                !inside(x - 1, i) || !inside(x + 1, i) || !inside(x, i - 1) || !inside(x, i + 1);
            if (border)
                apply(x, top + i, pen.colour);
            else if (brush.solid)
                apply(x, top + i, brush.colour);
        }
}

std::vector<QPoint> Canvas::flattenBezier(const std::vector<QPoint>& points) {
    std::vector<QPoint> out;
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return out;
    out.push_back(points.front());
    for (std::size_t i = 0; i + 3 < points.size(); i += 3) {
        const QPointF p0 = points[i], p1 = points[i + 1], p2 = points[i + 2], p3 = points[i + 3];
        const double length =
            QLineF(p0, p1).length() + QLineF(p1, p2).length() + QLineF(p2, p3).length();
        const int steps = std::max(1, static_cast<int>(std::ceil(length / 2.0)));
        for (int s = 1; s <= steps; ++s) {
            const double t = static_cast<double>(s) / steps, u = 1 - t;
            const QPointF p =
                u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
            const QPoint q(static_cast<int>(std::lround(p.x())),
                           static_cast<int>(std::lround(p.y())));
            if (q != out.back()) out.push_back(q);
        }
    }
    return out;
}

bool Canvas::polyBezier(const std::vector<QPoint>& points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return false;
    strokePath(flattenBezier(points), false);
    return true;
}

void Canvas::fillRect(int left, int top, int right, int bottom, Colour c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, raster_.width());
    bottom = std::min(bottom, raster_.height());
    const Colour value = raster_.representable(c);
    if (marks_) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                marks_->setShownPixel(raster_, x, y, value);
        return;
    }
    for (int y = top; y < bottom; ++y)
        std::fill(raster_.row(y) + left, raster_.row(y) + right, value);
}

} // namespace quorvex
