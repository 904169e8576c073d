#include "tools/manual_input.h"

#include "core/canvas.h"
#include "core/round.h"

#include <algorithm>

namespace quorvex {

std::optional<int> selfCorrectedRow(const Raster& raster, Colour curve, double u, double v,
                                    double scale, int window) {
    const int column = Round(u / scale);
    if (column < 0 || column >= raster.width() || raster.height() == 0) return std::nullopt;
    const int clicked = Round(v / scale);
    const int top = std::max(0, clicked - window);
    const int bottom = std::min(raster.height() - 1, clicked + window);
    curve &= 0xFFFFFF;
    // Only rows inside the window start a run: a run that begins just below it is not taken.
    for (int row = top; row <= bottom; ++row) {
        if (raster.pixel(column, row) != curve) continue;
        long long sum = 0;
        int count = 0;
        for (int r = row;
             r < raster.height() && count < window + 1 && raster.pixel(column, r) == curve; ++r) {
            sum += r;
            ++count;
        }
        return Round(static_cast<double>(sum) / count);
    }
    return std::nullopt;
}

bool BezierStroke::add(QPoint p) {
    if (count() >= kMaxPoints) return false;
    points_.push_back(p);
    return true;
}

bool drawBezierStroke(Raster& raster, const BezierStroke& stroke, int width, Colour colour,
                      MarkLayer* marks) {
    if (!stroke.drawable()) return false;
    Canvas canvas(raster, marks);
    canvas.pen = Pen{colour, std::max(1, width), PenStyle::Solid,
                     raster.format() == PixelFormat::Bit1 ? RasterOp::White : RasterOp::CopyPen};
    canvas.brush = Brush{colour, true};
    return canvas.polyBezier(stroke.points());
}

} // namespace quorvex
